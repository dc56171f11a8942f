#pragma once
// What every control bound to one field offers: its data source and the name
// of its field, held in the control's FieldLink.

#include "controls/fieldlink.h"

namespace controls {

class FieldBinding {
public:
    ds::DataSource* dataSource() const { return m_link.dataSource(); }
    void setDataSource(ds::DataSource* source) { m_link.setDataSource(source); }
    const QString& dataField() const { return m_link.fieldName(); }
    void setDataField(const QString& name) { m_link.setFieldName(name); }
    ds::Field* field() const { return m_link.field(); }

protected:
    FieldLink m_link;
};

} // namespace controls
