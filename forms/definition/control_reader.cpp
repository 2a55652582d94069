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

// A droplist of this height or more is made 5 pixels lower.
constexpr int kDropListTallHeight = 20;
constexpr int kDropListTrim = 5;

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

ShadeMode ShadeModeOf(const QString& shade)
{
    if (shade.isEmpty())
        return ShadeMode::None;
    if (shade == u"1")
        return ShadeMode::Scheme1;
    if (shade == u"2")
        return ShadeMode::Scheme2;
    return ShadeMode::Colour;
}

ButtonDetail ReadButton(const ReadState& s)
{
    ButtonDetail d;
    d.desp = s.text(QStringLiteral("desp"));
    d.maxlen = s.number(QStringLiteral("maxlen"));
    d.img = s.number(QStringLiteral("img"));
    d.shade = s.text(QStringLiteral("shade"));
    d.color = s.color(QStringLiteral("color"));
    d.disabled = s.number(QStringLiteral("disabled"));
    s.readFont();
    if (s.number(QStringLiteral("popup")) == 1)
        d.buttonKind = ButtonKind::Hyperlink;
    else if (s.def.style > 0 && d.shade.isEmpty())
        d.buttonKind = ButtonKind::PushButton;
    else
        d.buttonKind = d.maxlen == 0 ? ButtonKind::ColourButton : ButtonKind::ShadedButton;
    const bool colourKind =
        d.buttonKind == ButtonKind::ColourButton || d.buttonKind == ButtonKind::ShadedButton;
    if (colourKind) {
        d.shadeMode = ShadeModeOf(d.shade);
        if (d.shadeMode == ShadeMode::Colour)
            d.shadeColor = ReadColor(d.shade, s.messages());
        static constexpr std::array<ImagePlacement, 3> placements = {
            ImagePlacement::Left, ImagePlacement::Above, ImagePlacement::Right};
        if (s.def.style >= 0 && s.def.style < 3)
            d.imagePlacement = placements[s.def.style];
    }
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
    if (s.def.pos.height() >= kDropListTallHeight)
        s.def.pos.bottom -= kDropListTrim;
    d.itemHeight = s.def.pos.height();
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
    case ControlKind::TextBox:
        return ReadTextBox(s);
    case ControlKind::Button:
        return ReadButton(s);
    case ControlKind::Static:
        return ReadColouredLabel<StaticDetail>(s);
    case ControlKind::Pic:
        return ReadColouredLabel<PicDetail>(s);
    case ControlKind::EditButton:
        return ReadEditButton(s);
    case ControlKind::Table:
        return ReadTable(s);
    case ControlKind::DropList:
        return ReadDropList(s);
    case ControlKind::DateCtrl:
        return ReadDateCtrl(s);
    case ControlKind::Panel:
        return ReadPanel(s);
    case ControlKind::Tree:
        return TreeDetail{};
    case ControlKind::TreeList:
        return ReadTreeList(s);
    }
    return TreeDetail{};
}

} // namespace

QString ControlElementName(ControlKind kind)
{
    return QString::fromUtf16(kControlNames[size_t(kind)]);
}

std::optional<ControlKind> ControlKindFromName(QStringView elementName)
{
    for (size_t i = 0; i < kControlNames.size(); ++i) {
        if (elementName == QStringView(kControlNames[i]))
            return ControlKind(i);
    }
    return std::nullopt;
}

std::optional<ControlDefinition> ReadControl(const CXmlNodePtr& element,
                                             const DefinitionContext& context)
{
    const std::optional<ControlKind> kind = ControlKindFromName(element->GetName());
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
    return kind == ControlKind::TextBox || kind == ControlKind::Static ||
           kind == ControlKind::DropList;
}

} // namespace zk
