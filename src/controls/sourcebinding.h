#pragma once
// Pointing a control's part at a data source: letting go of the old one and
// the notices that mean the record shown is another one.

#include "dataset/datasource.h"

#include <QPointer>

namespace controls {

// Makes current the given source, cutting the receiver's connections to the
// old one; false when it already was the current source.
bool repoint(QPointer<ds::DataSource>& current, ds::DataSource* source, const QObject* receiver);

// Connects the notices after which the current record is another one, or its
// values were read again: opening and closing, any content change, a move,
// another data set.
template <typename Receiver, typename Slot>
void connectRecordReplaced(ds::DataSource* source, const Receiver* receiver, Slot slot)
{
    for (auto signal : {&ds::DataSource::activeChanged, &ds::DataSource::dataSetChanged,
                        &ds::DataSource::dataSetScrolled, &ds::DataSource::dataSetReplaced})
        QObject::connect(source, signal, receiver, slot);
}

} // namespace controls
