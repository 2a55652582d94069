#pragma once

#include "forms/controls/control_kind.h"

#include <QDateEdit>
#include <QLocale>

#include <optional>

namespace zk {

// The date picker of a form (`datectrl`): shows "yyyy-MM-dd", opens a
// calendar (unless the style asks for the up-down kind) and starts at the date
// it is made with, or today.
class ZkDateCtrl : public QDateEdit, public ControlTag {
    Q_OBJECT

public:
    // Shows the date `dateText` stands for (see SetDateText), today's when it
    // stands for none.
    explicit ZkDateCtrl(int style, QWidget* parent = nullptr, const QString& dateText = QString());

    // Reads a date the way users write one: yyyy-MM-dd, yyyy/M/d, yyyy.M.d
    // (with or without leading zeros), yyyy年M月d日 and the locale's short and
    // long formats; a time after the date (as database values carry) is
    // ignored. Nothing when the text is no date.
    static std::optional<QDate> ParseDateText(const QString& text,
                                              const QLocale& locale = QLocale::system());
    // Sets the date when the text is one; false (and nothing changed) else.
    bool SetDateText(const QString& text);
    QString WindowText() const;
};

} // namespace zk
