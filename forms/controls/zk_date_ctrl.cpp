#include "forms/controls/zk_date_ctrl.h"

#include "forms/controls/control_kind.h"
#include "forms/controls/locale_date.h"
#include "forms/definition/style_bits.h"

namespace zk {

namespace {

const QString kDisplayFormat = QStringLiteral("yyyy-MM-dd");

} // namespace

ZkDateCtrl::ZkDateCtrl(int style, QWidget* parent, const QString& dateText)
    : QDateEdit(parent)
    , ControlTag(ControlKind::DateCtrl)
{
    setDisplayFormat(kDisplayFormat);
    setCalendarPopup((style & style::kDateUpDown) == 0);
    setFocusPolicy(Qt::StrongFocus);
    // Setting a date is not cheap: the given one is set at once, not after today's.
    if (!SetDateText(dateText))
        setDate(QDate::currentDate());
}

std::optional<QDate> ZkDateCtrl::ParseDateText(const QString& text, const QLocale& locale)
{
    return ParseLocaleDate(text, locale);
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
