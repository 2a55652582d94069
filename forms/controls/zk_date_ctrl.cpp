#include "forms/controls/zk_date_ctrl.h"

#include "forms/controls/control_kind.h"
#include "forms/controls/control_styles.h"

#include <QRegularExpression>

namespace zk {

namespace {

const QString kDisplayFormat = QStringLiteral("yyyy-MM-dd");

std::optional<QDate> ParseNumericDate(const QString& text)
{
    // Year first, with "-", "/" or "." between the parts, or the Chinese
    // year, month and day marks.
    static const QRegularExpression numeric(
        QStringLiteral("^(\\d{4})\\s*[-/.年]\\s*(\\d{1,2})\\s*[-/.月]\\s*(\\d{1,2})\\s*日?"
                       "(?:$|[\\sT].*$)"));
    const QRegularExpressionMatch m = numeric.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QDate> ParseLocaleDate(const QString& text, const QLocale& locale)
{
    for (QLocale::FormatType type : {QLocale::ShortFormat, QLocale::LongFormat}) {
        const QDate date = locale.toDate(text, type);
        if (date.isValid())
            return date;
        // A time may follow the date part.
        const qsizetype blank = text.indexOf(QLatin1Char(' '));
        if (blank > 0) {
            const QDate head = locale.toDate(text.left(blank), type);
            if (head.isValid())
                return head;
        }
    }
    return std::nullopt;
}

} // namespace

ZkDateCtrl::ZkDateCtrl(int style, QWidget* parent)
    : QDateEdit(parent)
{
    SetControlKind(this, ControlKind::DateCtrl);
    setDisplayFormat(kDisplayFormat);
    setCalendarPopup((style & styles::kDateUpDown) == 0);
    setFocusPolicy(Qt::StrongFocus);
    setDate(QDate::currentDate());
}

std::optional<QDate> ZkDateCtrl::ParseDateText(const QString& text, const QLocale& locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    if (auto date = ParseNumericDate(trimmed))
        return date;
    return ParseLocaleDate(trimmed, locale);
}

bool ZkDateCtrl::SetDateText(const QString& text)
{
    const std::optional<QDate> date = ParseDateText(text, locale());
    if (!date)
        return false;
    setDate(*date);
    return true;
}

QString ZkDateCtrl::WindowText() const
{
    return date().toString(kDisplayFormat);
}

} // namespace zk
