#pragma once

#include "data/xml/xml_node.h"
#include "forms/definition/value_forms.h"

#include <QList>
#include <QString>

#include <optional>
#include <variant>

// What the body of a form definition says about each control, read once into
// plain values with the definition format's defaults applied. The control
// factory turns a ControlDefinition into a widget: it switches on `kind` (or
// visits `detail`) and never reads the XML again, except through the element
// handles kept for the commands that read further attributes.
//
// Integers follow the leading-number rule; a missing or empty attribute reads
// as its default. Colour and rectangle errors have been reported through the
// form's message hook while reading, and the fallback value stands here.

namespace zk {

// The control elements under html/body/dialog, in the order the factory
// tests their names.
enum class ControlElementKind {
    TextBox,    // textbox: edit box
    Button,     // button: push button, colour button or hyperlink
    Static,     // static: label
    Pic,        // pic: picture and chart control
    EditButton, // editbutton: edit box with a button
    Table,      // table: grid
    DropList,   // droplist: drop-down combo box
    DateCtrl,   // datectrl: date picker
    Panel,      // panel: tab control, one page per child html
    Tree,       // tree: tree view
    TreeList,   // treelist: tree list drawn by the picture control
};

// The element name of a kind ("textbox", …) and back; nullopt for any other
// name (names are case-sensitive).
QString ControlElementName(ControlElementKind kind);
std::optional<ControlElementKind> ControlElementKindFromName(QStringView elementName);

// textbox ---------------------------------------------------------------

enum class TextBoxMode {
    SingleLine,    // auto-scrolling single line; `extraStyle` bits added
    MultiLine,     // style 4: multi-line with a vertical scroll bar
    MultiLineBoth, // style 5: both scroll bars, automatic scrolling, centred text
};

struct TextBoxDetail {
    TextBoxMode mode = TextBoxMode::SingleLine;
    // The style bits added to a single-line box (style::kEdit…); 0 otherwise.
    int extraStyle = 0;
    int maxlen = 0;   // character limit, 0 for none
    int readonly = 0; // non-zero: read-only

    bool password() const;
};

// button ----------------------------------------------------------------

// The factory picks the widget from these values (ButtonKindFor of the
// control layer: popup 1 a hyperlink, a positive style with an empty shade a
// standard button, else a colour button, shaded when maxlen is non-zero) and
// colours it by `shade` and `color`.
struct ButtonDetail {
    int popup = 0;  // 1: a hyperlink instead of a button
    QString desp;   // tool-tip of the colour buttons
    int maxlen = 0; // colour buttons: 0 plain, else shaded (2: always filled)
    int img = 0;    // picture number; > 0 shows bitmap 436 + img
    QString shade;  // "", "1", "2" or a colour text
    // `shade` read as a colour text: colour buttons whose shade is neither
    // empty nor "1" nor "2".
    std::optional<RgbColor> shadeColor;
    std::optional<RgbColor> color; // text colour; nullopt when empty
    int disabled = 0;              // exactly 1 disables

    bool disabledAtCreation() const { return disabled == 1; }
};

// static, pic -----------------------------------------------------------

struct StaticDetail {
    std::optional<RgbColor> color; // text colour; nullopt: black
};

struct PicDetail {
    std::optional<RgbColor> color; // read, no effect at creation
};

// editbutton ------------------------------------------------------------

// What the button of an edit-with-button does, from its `popup` text.
enum class EditButtonMode {
    NoButton,   // "0": a plain edit box
    TextDetail, // empty: the text detail dialog on the box's text
    Colour,     // "-1": the colour dialog
    InlineForm, // "X": the inline pop-up body/popup/html[@id=X]
    StoredForm, // "X:uid[:a[:b]]": the stored form of menu uid `uid`
};

struct EditButtonPopup {
    EditButtonMode mode = EditButtonMode::TextDetail;
    QString text;    // `popup` as written
    QString formId;  // InlineForm: X; StoredForm: the part before the first ":"
    QString menuUid; // StoredForm: second part
    QString extra1;  // StoredForm: third part, handed to the pop-up
    QString extra2;  // StoredForm: fourth part
    // InlineForm: the markup of body/popup/html[@id=X], or the empty
    // definition "<html id='-1'></html>" when there is no such element.
    QString inlineDefinition;

    bool opensForm() const
    {
        return mode == EditButtonMode::InlineForm || mode == EditButtonMode::StoredForm;
    }
};

struct EditButtonDetail {
    int maxlen = 0;
    EditButtonPopup popup;
    std::optional<RgbColor> background; // `color`; nullopt when empty
    std::optional<RgbColor> textColor;  // `img` (a colour text here)
    int minlen = 0;                     // handed to the pop-up form
    QString shade;                      // read, no effect
    int readonly = 0;                   // as an integer
    QString readonlyText;               // as written

    // Read-only: `readonly` non-zero, or any non-empty text when the button
    // opens a pop-up form.
    bool readOnly() const;
    // The button is shown unless `popup` is "0", or a pop-up form's box is
    // read-only by text.
    bool showsButton() const;
};

// table -----------------------------------------------------------------

// One col element of PARA/col_info, in document order.
struct GridColumnElement {
    int colId = 0;     // non-zero: not in the grid (print-only column)
    int id = 0;        // 0: not in the grid either
    int hiddenWnd = 0; // element id of the control that edits the column in place
    int format = 0;    // alignment: 0 left, 1 right, 2 centre
    int width = 0;     // pixels; 0 makes a hidden, fixed column
    int sort = 0;      // 1 text, 2 number, 3 date and time; 0 none
    int type = 0;      // -1: fixed (no resizing, no sorting)
    RgbColor colorBg = kRgbWhite;
    RgbColor colorText = kRgbBlack;
    QString title;
    int sum = 0; // element id of the control that shows the column's total
    // The column's own ENDEDIT child (IsNull() when none). The grid runs the
    // script found by column position (col[@id = position + 1]), which is
    // this one when the column's id equals its 1-based position.
    CXmlNodePtr endEdit = CXmlNode::Null();
    // The col element: the save commands and print layouts read further
    // attributes (field_name, no_save, empty, parent_sql, …).
    CXmlNodePtr element = CXmlNode::Null();

    // Only these columns exist in the grid; the others are skipped, so they
    // do not count in the grid's column numbering.
    bool shownInGrid() const { return colId == 0 && id != 0; }
    // The user can neither resize nor sort a fixed column.
    bool fixed() const { return type == -1 || width == 0; }
};

struct GridDefinition {
    // The first child of table_info has is_col_color other than "0": cells
    // take their column's colours.
    bool colouredByColumn = false;
    QList<GridColumnElement> columns; // every col element, shown or not
    // PARA, PARA/table_info (the save commands read it) and PARA/col_info;
    // IsNull() when absent.
    CXmlNodePtr para = CXmlNode::Null();
    CXmlNodePtr tableInfo = CXmlNode::Null();
    CXmlNodePtr colInfo = CXmlNode::Null();

    // The columns that exist in the grid, in order.
    QList<GridColumnElement> ShownColumns() const;
};

struct TableDetail {
    GridDefinition grid;
    int readonly = 0; // read, no effect at creation
};

// droplist, datectrl ----------------------------------------------------

// `pos` is as written: the widget makes a rectangle 20 pixels high or more
// 5 pixels lower (ZkDropList::AdjustedRect) and sizes its selection field to
// the result.
struct DropListDetail {};

// The date picker always shows this format.
inline constexpr char16_t kDateDisplayFormat[] = u"yyyy-MM-dd";

struct DateCtrlDetail {
    int readonly = 0; // non-zero disables the picker
};

// panel -----------------------------------------------------------------

// One tab page: a complete form definition of its own.
struct TabPageDefinition {
    QString id;                             // the page form's id
    QString title;                          // tab caption
    CXmlNodePtr element = CXmlNode::Null(); // the page's html element
};

struct PanelDetail {
    QList<TabPageDefinition> pages; // the html children, in order
};

// tree, treelist --------------------------------------------------------

struct TreeDetail {};

// One item of a tree list. A child's type is never lower than its parent's,
// and a menu_id below 1 is taken from the parent.
struct TreeListItem {
    QString title;
    int width = 0;
    int height = 0;
    int type = 0;
    int menuId = 0;
    QList<TreeListItem> children;
};

// Items nested deeper than this below the root are not read.
inline constexpr int kMaxTreeListDepth = 256;

struct TreeListDetail {
    TreeListItem root; // "root"; its children are PARA/head_info's children
    int readonly = 0;  // read, no effect
};

// A control --------------------------------------------------------------

using ControlDetail = std::variant<TextBoxDetail, ButtonDetail, StaticDetail, PicDetail,
                                   EditButtonDetail, TableDetail, DropListDetail, DateCtrlDetail,
                                   PanelDetail, TreeDetail, TreeListDetail>;

struct ControlDefinition {
    ControlElementKind kind = ControlElementKind::TextBox;
    int id = 0;  // element id
    DefRect pos; // as written

    // `value` as written. textbox, static and droplist pass it through the
    // form's template expansion before showing it (ExpandsValue); a droplist
    // then splits it into its items (ParseItemList).
    QString value;
    int style = 0;
    // `font` for the kinds that read one; the default font otherwise (panel
    // and tree always use the form's default font).
    FontSpec font;
    int hidden = 0;                         // as written; 2 also keeps it out of the layout
    bool startsHidden = false;              // the kind's hiding rule applied to `hidden`
    CXmlNodePtr element = CXmlNode::Null(); // the control element
    ControlDetail detail;                   // the alternative that belongs to `kind`

    // Window ids of controls are their element ids plus 1024.
    static constexpr int kWindowIdOffset = 1024;
    int windowId() const { return id + kWindowIdOffset; }
    bool ExpandsValue() const;
};

} // namespace zk
