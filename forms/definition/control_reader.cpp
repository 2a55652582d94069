#include "data/xml/xml_nodes.h"
#include "forms/definition/body_reader.h"
#include "forms/definition/detail_readers.h"
#include "forms/definition/style_bits.h"

#include <array>

namespace zk {

namespace {

constexpr std::array<const char16_t*, 11> kControlNames = {
    u"textbox",  u"button",   u"static", u"pic",  u"editbutton", u"table",
    u"droplist", u"datectrl", u"panel",  u"tree", u"treelist",
};

// What one kind's reader gets besides the element.
struct ReadState {
    const CXmlNodePtr& element;
    const DefinitionContext& context;
    ControlDefinition& def;

    const CXmlNode& e() const { return *element; }
    const DefinitionMessages& messages() const { return context.messages; }
    QString text(const QString& name) const { return AttrText(*element, name); }
    int number(const QString& name, int def = 0) const { return AttrInt(*element, name, def); }
    void readFont() const
    {
        def.font = ReadFont(text(QStringLiteral("font")), context.defaultFace);
    }
    std::optional<RgbColor> color(const QString& name) const
    {
        return ReadOptionalColor(text(name), messages());
    }
};

TextBoxDetail ReadTextBox(const ReadState& s)
{
    TextBoxDetail d;
    if (s.def.style == 4)
        d.mode = TextBoxMode::MultiLine;
    else if (s.def.style == 5)
        d.mode = TextBoxMode::MultiLineBoth;
    else
        d.extraStyle = s.def.style;
    d.maxlen = s.number(QStringLiteral("maxlen"));
    d.readonly = s.number(QStringLiteral("readonly"));
    s.readFont();
    s.def.startsHidden = s.def.hidden > 0;
    return d;
}

ButtonDetail ReadButton(const ReadState& s)
{
    ButtonDetail d;
    d.popup = s.number(QStringLiteral("popup"));
    d.desp = s.text(QStringLiteral("desp"));
    d.maxlen = s.number(QStringLiteral("maxlen"));
    d.img = s.number(QStringLiteral("img"));
    d.shade = s.text(QStringLiteral("shade"));
    d.color = s.color(QStringLiteral("color"));
    d.disabled = s.number(QStringLiteral("disabled"));
    s.readFont();
    // A non-empty shade never makes a standard button, so every button but
    // the hyperlink is a colour kind here.
    const bool namedScheme = d.shade.isEmpty() || d.shade == u"1" || d.shade == u"2";
    if (d.popup != 1 && !namedScheme)
        d.shadeColor = ReadColor(d.shade, s.messages());
    s.def.startsHidden = s.def.hidden != 0;
    return d;
}

// static and pic: a colour and a font; non-zero hides.
template <typename Detail> Detail ReadColouredLabel(const ReadState& s)
{
    Detail d;
    d.color = s.color(QStringLiteral("color"));
    s.readFont();
    s.def.startsHidden = s.def.hidden != 0;
    return d;
}

// The inline form's markup, looked up below the body that holds the dialog.
QString InlineDefinition(const CXmlNode& element, const QString& popupId)
{
    const CXmlNodePtr body = element.GetParent()->GetParent();
    if (body->GetName() != u"body")
        return QString::fromUtf16(kEmptyPopupDefinition);
    const CXmlNodePtr popup = FindInlinePopup(*body, popupId);
    if (popup->IsNull())
        return QString::fromUtf16(kEmptyPopupDefinition);
    return popup->GetXml();
}

EditButtonPopup ReadPopup(const CXmlNode& element, const QString& text)
{
    EditButtonPopup p;
    p.text = text;
    if (text == u"0") {
        p.mode = EditButtonMode::NoButton;
    } else if (text.isEmpty()) {
        p.mode = EditButtonMode::TextDetail;
    } else if (text == u"-1") {
        p.mode = EditButtonMode::Colour;
    } else if (!text.contains(u':')) {
        p.mode = EditButtonMode::InlineForm;
        p.formId = text;
        p.inlineDefinition = InlineDefinition(element, text);
    } else {
        const QStringList parts = text.split(u':');
        p.mode = EditButtonMode::StoredForm;
        p.formId = parts[0];
        p.menuUid = parts.value(1);
        p.extra1 = parts.value(2);
        p.extra2 = parts.value(3);
    }
    return p;
}

EditButtonDetail ReadEditButton(const ReadState& s)
{
    EditButtonDetail d;
    d.maxlen = s.number(QStringLiteral("maxlen"));
    d.popup = ReadPopup(s.e(), s.text(QStringLiteral("popup")));
    d.background = s.color(QStringLiteral("color"));
    d.textColor = s.color(QStringLiteral("img"));
    d.minlen = s.number(QStringLiteral("minlen"));
    d.shade = s.text(QStringLiteral("shade"));
    d.readonlyText = s.text(QStringLiteral("readonly"));
    d.readonly = s.number(QStringLiteral("readonly"));
    s.readFont();
    s.def.startsHidden = d.popup.opensForm() && s.def.hidden > 0;
    return d;
}

TableDetail ReadTable(const ReadState& s)
{
    TableDetail d;
    d.readonly = s.number(QStringLiteral("readonly"));
    d.grid = definition_detail::ReadGrid(s.e(), s.messages());
    s.readFont();
    s.def.startsHidden = s.def.hidden != 0;
    return d;
}

DropListDetail ReadDropList(const ReadState& s)
{
    DropListDetail d;
    s.readFont();
    s.def.startsHidden = s.def.hidden > 0;
    return d;
}

DateCtrlDetail ReadDateCtrl(const ReadState& s)
{
    DateCtrlDetail d;
    d.readonly = s.number(QStringLiteral("readonly"));
    s.readFont();
    s.def.startsHidden = s.def.hidden > 0;
    return d;
}

PanelDetail ReadPanel(const ReadState& s)
{
    PanelDetail d;
    const CXmlNodesPtr children = s.e().GetChildren();
    for (int i = 0; i < children->GetCount(); ++i) {
        const CXmlNodePtr child = children->GetItem(i);
        if (child->GetName() != u"html")
            continue;
        TabPageDefinition page;
        page.id = AttrText(*child, QStringLiteral("id"));
        page.title = AttrText(*child, QStringLiteral("title"));
        page.element = child;
        d.pages.append(std::move(page));
    }
    return d;
}

TreeListDetail ReadTreeList(const ReadState& s)
{
    TreeListDetail d;
    d.readonly = s.number(QStringLiteral("readonly"));
    d.root = definition_detail::ReadTreeListItems(s.e());
    s.readFont();
    s.def.startsHidden = s.def.hidden != 0;
    return d;
}

ControlDetail ReadDetail(const ReadState& s)
{
    switch (s.def.kind) {
    case ControlElementKind::TextBox:
        return ReadTextBox(s);
    case ControlElementKind::Button:
        return ReadButton(s);
    case ControlElementKind::Static:
        return ReadColouredLabel<StaticDetail>(s);
    case ControlElementKind::Pic:
        return ReadColouredLabel<PicDetail>(s);
    case ControlElementKind::EditButton:
        return ReadEditButton(s);
    case ControlElementKind::Table:
        return ReadTable(s);
    case ControlElementKind::DropList:
        return ReadDropList(s);
    case ControlElementKind::DateCtrl:
        return ReadDateCtrl(s);
    case ControlElementKind::Panel:
        return ReadPanel(s);
    case ControlElementKind::Tree:
        return TreeDetail{};
    case ControlElementKind::TreeList:
        return ReadTreeList(s);
    }
    return TreeDetail{};
}

} // namespace

QString ControlElementName(ControlElementKind kind)
{
    return QString::fromUtf16(kControlNames[size_t(kind)]);
}

std::optional<ControlElementKind> ControlElementKindFromName(QStringView elementName)
{
    for (size_t i = 0; i < kControlNames.size(); ++i) {
        if (elementName == QStringView(kControlNames[i]))
            return ControlElementKind(i);
    }
    return std::nullopt;
}

std::optional<ControlDefinition> ReadControl(const CXmlNodePtr& element,
                                             const DefinitionContext& context)
{
    const std::optional<ControlElementKind> kind = ControlElementKindFromName(element->GetName());
    if (!kind)
        return std::nullopt;
    ControlDefinition def;
    def.kind = *kind;
    def.element = element;
    const ReadState s{element, context, def};
    def.id = s.number(QStringLiteral("id"));
    def.pos = ReadRect(s.text(QStringLiteral("pos")), context.messages);
    def.value = s.text(QStringLiteral("value"));
    def.style = s.number(QStringLiteral("style"));
    def.hidden = s.number(QStringLiteral("hidden"));
    def.detail = ReadDetail(s);
    return def;
}

bool TextBoxDetail::password() const
{
    return mode == TextBoxMode::SingleLine && (extraStyle & style::kEditPassword) != 0;
}

bool EditButtonDetail::readOnly() const
{
    return readonly != 0 || (popup.opensForm() && !readonlyText.isEmpty());
}

bool EditButtonDetail::showsButton() const
{
    if (popup.mode == EditButtonMode::NoButton)
        return false;
    return !(popup.opensForm() && !readonlyText.isEmpty());
}

bool ControlDefinition::ExpandsValue() const
{
    return kind == ControlElementKind::TextBox || kind == ControlElementKind::Static ||
           kind == ControlElementKind::DropList;
}

} // namespace zk
