#include "controls/thyperlink.h"

#include "controls/linklabel.h"
#include "platform/shell.h"

#include <QCoreApplication>
#include <QMouseEvent>

THyperLink::THyperLink(QWidget* owner) : QLabel(owner)
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    controls::setTextColor(this, controls::linkColor());
    setCursor(Qt::PointingHandCursor);
}

void THyperLink::setURL(const QString& url)
{
    if (url != FUrl)
        FUrl = url;
    if (text().isEmpty())
        setText(url);
}

QString THyperLink::Target() const
{
    switch (FLinkType) {
    case ltHttp: return QStringLiteral(u"http://www.") + FUrl;
    case ltFile: return QStringLiteral(u"file:") + FUrl;
    case ltMail: break;
    }
    QString target = QStringLiteral(u"mailto:") + FUrl;
    if (!FSubject.isEmpty())
        target += QStringLiteral(u"?subject=") + FSubject;
    if (!FBody.isEmpty())
        target += (FSubject.isEmpty() ? QStringLiteral(u"?body=") : QStringLiteral(u"&body=")) + FBody;
    return target;
}

void THyperLink::Click()
{
    if (FClick)
        FClick(this);
    const QString target = Target();
    controls::setTextColor(this, controls::visitedLinkColor());
    // The visited colour is painted before the shell takes its time.
    QCoreApplication::processEvents();
    platform::Shell::instance().openUrl(target);
}

void THyperLink::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Click();
}
