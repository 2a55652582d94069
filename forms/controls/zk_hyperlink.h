#pragma once

#include "forms/controls/control_kind.h"

#include <QLabel>

namespace zk {

// The hyperlink of a form (`button` with `popup` 1): a transparent label
// whose text may hold link mark-up (<a href="...">...</a> or <a>...</a>); all
// other text is shown as it stands. A click on a link reaches the form as a
// click of the control (clicked, with the link's href); the link is never
// opened by the control itself, and Enter does not activate it, so the
// form's scripts decide what a link does.
class ZkHyperLink : public QLabel, public ControlTag {
    Q_OBJECT

public:
    explicit ZkHyperLink(QWidget* parent = nullptr);

    QString WindowText() const { return text_; }
    void SetWindowText(const QString& text);
    // The href of the link clicked last (empty for <a> without href).
    QString LastLink() const { return lastLink_; }

    // The label's rich text for a link text: everything but the link tags
    // escaped.
    static QString RichTextFor(const QString& text);

signals:
    void clicked(const QString& href);

private:
    QString text_;
    QString lastLink_;
};

} // namespace zk
