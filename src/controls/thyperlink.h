#pragma once
// The program's link label: a caption drawn like a link that, when clicked,
// has the shell open the mail, web or file target built from its properties.

#include <QLabel>
#include <functional>

enum TLinkType { ltMail, ltHttp, ltFile };

class THyperLink : public QLabel {
    Q_OBJECT
public:
    using TClick = std::function<void(THyperLink*)>;

    explicit THyperLink(QWidget* owner = nullptr);

    TLinkType LinkType() const { return FLinkType; }
    void setLinkType(TLinkType linkType) { FLinkType = linkType; }
    QString Subject() const { return FSubject; }
    void setSubject(const QString& subject) { FSubject = subject; }
    QString URL() const { return FUrl; }
    // A link without a caption shows its address.
    void setURL(const QString& url);
    QString Body() const { return FBody; }
    void setBody(const QString& body) { FBody = body; }
    // Runs before the target is opened, not instead of it.
    void setOnClick(TClick handler) { FClick = std::move(handler); }

    // The text handed to the shell, inserted as it stands (no percent-encoding).
    QString Target() const;
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString FUrl;
    QString FSubject;
    QString FBody;
    TLinkType FLinkType = ltMail;
    TClick FClick;
};
