#include "forms/controls/zk_hyperlink.h"

#include "forms/controls/control_kind.h"

#include <QRegularExpression>

namespace zk {

namespace {

// The label only treats an anchor with a target as a link.
constexpr char kNoTarget[] = "#";

} // namespace

ZkHyperLink::ZkHyperLink(QWidget* parent)
    : QLabel(parent)
    , ControlTag(ControlKind::Button)
{
    setTextFormat(Qt::RichText);
    setAutoFillBackground(false);
    setOpenExternalLinks(false);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
    connect(this, &QLabel::linkActivated, this, [this](const QString& link) {
        lastLink_ = link == QLatin1String(kNoTarget) ? QString() : link;
        emit clicked(lastLink_);
    });
}

void ZkHyperLink::SetWindowText(const QString& text)
{
    text_ = text;
    setText(RichTextFor(text));
}

QString ZkHyperLink::RichTextFor(const QString& text)
{
    // Only the anchor tags are mark-up; an <a> without href still has to be
    // a link for the label, so it gets an empty one.
    static const QRegularExpression tag(QStringLiteral("<a(\\s+[^>]*)?>|</a\\s*>"),
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression href(
        QStringLiteral("href\\s*=\\s*(\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"),
        QRegularExpression::CaseInsensitiveOption);
    QString rich;
    qsizetype at = 0;
    bool open = false;
    auto it = tag.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        rich += text.mid(at, m.capturedStart() - at).toHtmlEscaped();
        at = m.capturedEnd();
        const bool closing = m.captured(0).startsWith(QLatin1String("</"));
        if (closing) {
            if (open)
                rich += QLatin1String("</a>");
            open = false;
            continue;
        }
        if (open)
            rich += QLatin1String("</a>");
        const QRegularExpressionMatch h = href.match(m.captured(1));
        QString target;
        if (h.hasMatch())
            target = h.captured(2) + h.captured(3) + h.captured(4);
        if (target.isEmpty())
            target = QLatin1String(kNoTarget);
        rich += QStringLiteral("<a href=\"%1\">").arg(target.toHtmlEscaped());
        open = true;
    }
    rich += text.mid(at).toHtmlEscaped();
    if (open)
        rich += QLatin1String("</a>");
    rich.replace(QLatin1String("\n"), QLatin1String("<br>"));
    return rich;
}

} // namespace zk
