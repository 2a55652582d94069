#include "forms/controls/control_font.h"
#include "forms/controls/control_values.h"
#include "forms/controls/file_edit_ctrl.h"
#include "forms/controls/zk_drop_list.h"
#include "forms/controls/zk_edit.h"
#include "forms/controls/zk_hyperlink.h"
#include "forms/controls/zk_picture.h"
#include "forms/controls/zk_static.h"
#include "forms/dialogs/dialog_text_box_info.h"
#include "tests/forms/controls_test_form.h"

#include <QColorDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace zk {
namespace {

using test::TestForm;

TEST(ControlEdits, StylesGiveTheLineModes)
{
    const struct {
        int style;
        ZkEdit::Lines lines;
        Qt::ScrollBarPolicy vertical;
        Qt::ScrollBarPolicy horizontal;
    } cases[] = {
        {4, ZkEdit::Lines::Multi, Qt::ScrollBarAlwaysOn, Qt::ScrollBarAlwaysOff},
        {5, ZkEdit::Lines::MultiCentred, Qt::ScrollBarAlwaysOn, Qt::ScrollBarAlwaysOn},
        {0x44, ZkEdit::Lines::MultiPlain, Qt::ScrollBarAlwaysOff, Qt::ScrollBarAlwaysOff},
    };
    for (const auto& c : cases) {
        ZkEdit edit(c.style);
        ASSERT_EQ(edit.LineMode(), c.lines) << c.style;
        ASSERT_NE(edit.TextEdit(), nullptr);
        EXPECT_EQ(edit.TextEdit()->verticalScrollBarPolicy(), c.vertical) << c.style;
        EXPECT_EQ(edit.TextEdit()->horizontalScrollBarPolicy(), c.horizontal) << c.style;
    }
    ZkEdit centred(5);
    EXPECT_EQ(centred.TextEdit()->document()->defaultTextOption().alignment(), Qt::AlignHCenter);

    ZkEdit password(32);
    ASSERT_NE(password.LineEdit(), nullptr);
    EXPECT_EQ(password.LineEdit()->echoMode(), QLineEdit::Password);
    ZkEdit right(2);
    EXPECT_TRUE(right.LineEdit()->alignment() & Qt::AlignRight);
    ZkEdit readOnly(0x800);
    EXPECT_TRUE(readOnly.IsReadOnly());
}

TEST(ControlEdits, TypingRulesApplyToTheKeyboardOnly)
{
    TestForm form;
    auto* limited = form.Add(1, new ZkEdit(0, &form));
    limited->SetMaxLength(3);
    form.show();
    QTest::keyClicks(limited->LineEdit(), QStringLiteral("abcdef"));
    EXPECT_EQ(limited->Text(), QStringLiteral("abc"));
    // The program's text stays whole, and the user can still shorten it.
    limited->SetText(QStringLiteral("123456"));
    EXPECT_EQ(limited->Text(), QStringLiteral("123456"));
    QTest::keyClick(limited->LineEdit(), Qt::Key_End);
    QTest::keyClick(limited->LineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(limited->Text(), QStringLiteral("12345"));
    QTest::keyClicks(limited->LineEdit(), QStringLiteral("7"));
    EXPECT_EQ(limited->Text(), QStringLiteral("12345"));

    auto* numbers = form.Add(2, new ZkEdit(0x2000 | 0x8, &form)); // digits, upper case
    QTest::keyClicks(numbers->LineEdit(), QStringLiteral("1a2"));
    EXPECT_EQ(numbers->Text(), QStringLiteral("12"));
    auto* upper = form.Add(3, new ZkEdit(0x8, &form));
    QTest::keyClicks(upper->LineEdit(), QStringLiteral("ab1"));
    EXPECT_EQ(upper->Text(), QStringLiteral("AB1"));

    auto* multi = form.Add(4, new ZkEdit(4, &form));
    multi->SetMaxLength(2);
    QTest::keyClicks(multi->TextEdit(), QStringLiteral("xyz"));
    EXPECT_EQ(multi->Text(), QStringLiteral("xy"));
}

TEST(ControlEdits, ReplaceSelectionInsertsAtTheCaret)
{
    TestForm form;
    for (int style : {0, 4}) {
        auto* edit = form.Add(style + 1, new ZkEdit(style | 0x2000, &form));
        edit->SetText(QStringLiteral("A-B"));
        SetControlValue(edit, QStringLiteral("A-B")); // all selected
        edit->ReplaceSelection(QStringLiteral("x,y"));
        EXPECT_EQ(edit->Text(), QStringLiteral("x,y")) << style;
        edit->ReplaceSelection(QStringLiteral("!"));
        EXPECT_EQ(edit->Text(), QStringLiteral("x,y!")) << style;
    }
}

// Single-line boxes are line edits themselves, multi-line ones edit in a child.
TEST(ControlEdits, ChangeAndFocusSignals)
{
    for (int style : {0, 4}) {
        TestForm form;
        auto* edit = form.Add(1, new ZkEdit(style, &form), QRect(10, 10, 120, 48));
        auto* other = form.Add(2, new ZkEdit(0, &form), QRect(10, 70, 120, 24));
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        EXPECT_EQ(edit->LineEdit() != nullptr, style == 0) << style;
        EXPECT_EQ(edit->Editor()->geometry(), style == 0 ? edit->geometry() : edit->rect());
        QSignalSpy changed(edit, &ZkEdit::textChanged);
        QSignalSpy lost(edit, &ZkEdit::focusLost);
        edit->SetText(QStringLiteral("程序"));
        QTest::keyClicks(edit->Editor(), QStringLiteral("a"));
        EXPECT_EQ(changed.count(), 2) << style;
        EXPECT_EQ(edit->Text().size(), 3) << style;
        form.activateWindow();
        edit->setFocus();
        QApplication::processEvents();
        EXPECT_TRUE(edit->Editor()->hasFocus()) << style;
        other->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(lost.count(), 1) << style;
    }
}

TEST(ControlDropLists, HeightRuleAndEditability)
{
    const struct {
        QRect given;
        int height;
    } rects[] = {
        {QRect(0, 0, 100, 25), 20}, {QRect(0, 0, 100, 20), 15}, {QRect(0, 0, 100, 19), 19}};
    for (const auto& r : rects)
        EXPECT_EQ(ZkDropList::AdjustedRect(r.given).height(), r.height) << r.given.height();
    EXPECT_TRUE(ZkDropList::IsEditableStyle(0));
    EXPECT_FALSE(ZkDropList::IsEditableStyle(1));
    EXPECT_FALSE(ZkDropList::IsEditableStyle(0x101));
    EXPECT_TRUE(ZkDropList::IsEditableStyle(0x100));

    TestForm form;
    auto* list = form.Add(1, new ZkDropList(0, &form));
    QSignalSpy opened(list, &ZkDropList::dropDownOpened);
    list->SetItems({QStringLiteral("甲")});
    list->showPopup();
    EXPECT_EQ(opened.count(), 1);
    list->hidePopup();
}

TEST(ControlLabels, AlignmentAndMnemonics)
{
    const struct {
        int style;
        Qt::Alignment alignment;
        bool wrap;
    } cases[] = {
        {0, Qt::AlignLeft | Qt::AlignTop, true},
        {1, Qt::AlignHCenter | Qt::AlignTop, true},
        {2 | 0x200, Qt::AlignRight | Qt::AlignVCenter, true},
        {0xC, Qt::AlignLeft | Qt::AlignTop, false},
    };
    for (const auto& c : cases) {
        CZkStatic label(c.style);
        EXPECT_EQ(label.alignment(), c.alignment) << c.style;
        EXPECT_EQ(label.wordWrap(), c.wrap) << c.style;
    }
    EXPECT_EQ(CZkStatic::ShownText(QStringLiteral("&Save && Exit&")),
              QStringLiteral("Save & Exit"));
    CZkStatic plain(0x80);
    plain.SetWindowText(QStringLiteral("R&D"));
    EXPECT_EQ(plain.text(), QStringLiteral("R&D"));
    CZkStatic coloured(0);
    coloured.SetTextColour(QColor(200, 0, 0));
    EXPECT_EQ(coloured.palette().color(QPalette::WindowText), QColor(200, 0, 0));
    EXPECT_FALSE(coloured.autoFillBackground());
}

TEST(ControlLinks, OnlyAnchorsAreMarkUp)
{
    const struct {
        const char* text;
        const char* rich;
    } cases[] = {
        {"plain <b>x</b>", "plain &lt;b&gt;x&lt;/b&gt;"},
        {"see <a href=\"http://h/x?a=1&b=2\">帮助</a>!",
         "see <a href=\"http://h/x?a=1&amp;b=2\">帮助</a>!"},
        {"<a>打开</a>", "<a href=\"#\">打开</a>"},
        {"<A HREF='q'>unclosed", "<a href=\"q\">unclosed</a>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZkHyperLink::RichTextFor(QString::fromUtf8(c.text)), QString::fromUtf8(c.rich));
}

TEST(ControlLinks, ClickingALinkReportsAClickAndOpensNothing)
{
    TestForm form;
    auto* link = form.Add(1, new ZkHyperLink(&form), QRect(10, 10, 200, 30));
    link->SetWindowText(QStringLiteral("<a href=\"http://example.invalid/\">打开网页</a>"));
    form.resize(300, 100);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QSignalSpy clicked(link, &ZkHyperLink::clicked);
    EXPECT_FALSE(link->openExternalLinks());
    const QPoint onText(link->fontMetrics().horizontalAdvance(QStringLiteral("打")) / 2 + 2,
                        link->fontMetrics().height() / 2 + 1);
    QTest::mouseClick(link, Qt::LeftButton, {}, onText);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toString(), QStringLiteral("http://example.invalid/"));
    EXPECT_EQ(ControlWindowText(link),
              QStringLiteral("<a href=\"http://example.invalid/\">打开网页</a>"));
}

TEST(ControlPictures, PictureIsScaledToFitAndCentred)
{
    const struct {
        QSize picture;
        QSize area;
        QRect target;
    } cases[] = {
        {{200, 100}, {100, 100}, {0, 25, 100, 50}}, // wider: full width
        {{100, 200}, {100, 100}, {25, 0, 50, 100}}, // taller: full height
        {{300, 100}, {100, 50}, {0, 8, 100, 33}},   // 33.3 truncated, (50 - 33) / 2
        {{10, 10}, {0, 50}, {}},
        {{0, 0}, {50, 50}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZkPicture::PictureTarget(c.picture, c.area), c.target);
}

TEST(ControlPictures, RendersPictureModeAndDispatchesOtherModes)
{
    ZkPicture picture;
    picture.resize(100, 100);
    EXPECT_EQ(picture.Render().pixelColor(50, 50), QColor(Qt::white)); // nothing loaded

    QImage red(20, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    picture.SetPicture(red);
    const QImage shown = picture.Render();
    EXPECT_EQ(shown.pixelColor(50, 50), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(50, 10), QColor(Qt::white)); // above the picture
    EXPECT_FALSE(picture.LoadPicture(QStringLiteral("/nonexistent.png")));
    EXPECT_FALSE(picture.HasPicture());

    // Another mode draws through its renderer; the picture survives the switch.
    class Blue : public ZkPictureRenderer {
    public:
        void Paint(ZkPicture&, QPainter& painter, const QSize& size) override
        {
            painter.fillRect(QRect(QPoint(0, 0), size), Qt::blue);
        }
    };
    picture.SetPicture(red);
    picture.InstallRenderer(ZkPicture::DisplayMode::Chart, std::make_unique<Blue>());
    picture.SetMode(ZkPicture::DisplayMode::Chart);
    EXPECT_EQ(picture.Render().pixelColor(5, 5), QColor(Qt::blue));
    picture.SetMode(ZkPicture::DisplayMode::TreeList); // no renderer yet: white
    EXPECT_EQ(picture.Render().pixelColor(5, 5), QColor(Qt::white));
    EXPECT_TRUE(picture.HasPicture());
}

TEST(ControlPictures, ClicksReachTheForm)
{
    ZkPicture picture;
    picture.resize(50, 50);
    picture.show();
    QSignalSpy clicked(&picture, &ZkPicture::clicked);
    QSignalSpy doubled(&picture, &ZkPicture::doubleClicked);
    QTest::mouseClick(&picture, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseDClick(&picture, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_GE(clicked.count(), 1);
    EXPECT_EQ(doubled.count(), 1);
}

// A grid stand-in that records what its in-place editor hands over.
class CellOwner : public QObject, public InPlaceEditorOwner {
public:
    void OnInPlaceCellText(QWidget*, int row, int column, const QString& text,
                           CellTextSource source) override
    {
        cells.append({row, column, text, source});
    }
    struct Cell {
        int row;
        int column;
        QString text;
        CellTextSource source;
    };
    QList<Cell> cells;
};

TEST(ControlFileEdits, ModesFromThePopupText)
{
    const struct {
        const char* popup;
        CFileEditCtrl::Mode mode;
        bool button;
    } cases[] = {{"0", CFileEditCtrl::Mode::NoButton, false},
                 {"", CFileEditCtrl::Mode::Text, true},
                 {"-1", CFileEditCtrl::Mode::Colour, true},
                 {"3", CFileEditCtrl::Mode::Popup, true},
                 {"3:120:a:b", CFileEditCtrl::Mode::Popup, true}};
    for (const auto& c : cases) {
        TestForm form;
        auto* box = form.Add(1, new CFileEditCtrl(0, &form));
        box->SetMode(CFileEditCtrl::ModeForPopup(QString::fromUtf8(c.popup)));
        form.show();
        EXPECT_EQ(box->GetMode(), c.mode) << c.popup;
        EXPECT_EQ(box->IsButtonVisible(), c.button) << c.popup;
    }
}

TEST(ControlFileEdits, TextDialogWritesBackAndFeedsTheCell)
{
    TestForm form;
    auto* box = form.Add(1, new CFileEditCtrl(0, &form));
    form.show();
    box->SetText(QStringLiteral("旧"));
    test::WhenModalShown([](QWidget* modal) {
        auto* dialog = qobject_cast<Dialog_TextBox_Info*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->Edit()->toPlainText(), QStringLiteral("旧"));
        dialog->Edit()->setPlainText(QStringLiteral("新\n行"));
        dialog->OkButton()->click();
    });
    box->ClickButton();
    EXPECT_EQ(box->Text(), QStringLiteral("新\n行"));

    CellOwner grid;
    box->AttachToCell(&grid, 4, 2);
    test::ClickModalButton(QStringLiteral("确定"));
    box->ClickButton();
    ASSERT_EQ(grid.cells.size(), 1);
    EXPECT_EQ(grid.cells[0].row, 4);
    EXPECT_EQ(grid.cells[0].column, 2);
    EXPECT_EQ(grid.cells[0].text, QStringLiteral("新\n行"));
    EXPECT_EQ(grid.cells[0].source, CellTextSource::TextDialog);
}

TEST(ControlFileEdits, ColourDialogStartsFromTheTextAndWritesRgb)
{
    TestForm form;
    auto* box = form.Add(1, new CFileEditCtrl(0, &form));
    box->SetMode(CFileEditCtrl::Mode::Colour);
    box->SetText(QStringLiteral("10,20,30"));
    form.show();
    CellOwner grid;
    box->AttachToCell(&grid, 0, 1);
    test::WhenModalShown([](QWidget* modal) {
        auto* dialog = qobject_cast<QColorDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->currentColor(), QColor(10, 20, 30));
        dialog->setCurrentColor(QColor(200, 100, 0));
        dialog->accept();
    });
    box->ClickButton();
    EXPECT_EQ(box->Text(), QStringLiteral("200,100,0"));
    ASSERT_EQ(grid.cells.size(), 1);
    EXPECT_EQ(grid.cells[0].text, QStringLiteral("200,100,0"));
    EXPECT_EQ(grid.cells[0].source, CellTextSource::ColourDialog);

    EXPECT_EQ(CFileEditCtrl::ColourFromText(QStringLiteral("300,1,2")), QColor(44, 1, 2));
    EXPECT_FALSE(CFileEditCtrl::ColourFromText(QStringLiteral("1,2")));
}

TEST(ControlFileEdits, PopupResultGoesToTheCellOrTheForm)
{
    TestForm form;
    auto* box = form.Add(1, new CFileEditCtrl(0, &form));
    box->SetMode(CFileEditCtrl::Mode::Popup);
    box->SetPopup(QStringLiteral("7"), QStringLiteral("<html id='7'/>"));
    box->SetMinLength(3);
    QSignalSpy requested(box, &CFileEditCtrl::popupRequested);
    QSignalSpy changed(box, &ZkEdit::textChanged);
    QSignalSpy lost(box, &ZkEdit::focusLost);
    box->ClickButton();
    EXPECT_EQ(requested.count(), 1);

    box->AcceptPopupResult(QStringLiteral("A001"));
    EXPECT_EQ(box->Text(), QStringLiteral("A001"));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(lost.count(), 1);

    {
        CellOwner grid;
        box->AttachToCell(&grid, 2, 3);
        EXPECT_TRUE(box->IsInPlaceEditor());
        box->AcceptPopupResult(QStringLiteral("A002"));
        ASSERT_EQ(grid.cells.size(), 1);
        EXPECT_EQ(grid.cells[0].source, CellTextSource::PopupForm);
        EXPECT_EQ(lost.count(), 1);
    }
    // The grid is gone: the box notices and treats the result as its own.
    EXPECT_FALSE(box->IsInPlaceEditor());
    box->AcceptPopupResult(QStringLiteral("A003"));
    EXPECT_EQ(lost.count(), 2);
}

TEST(ControlFonts, DefinitionFontsAreBoldWithTheCellHeight)
{
    const QFont font = MakeControlFont(12, QString(), QStringLiteral("宋体"));
    EXPECT_EQ(font.pixelSize(), 16);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_EQ(font.family(), QStringLiteral("宋体"));
    EXPECT_EQ(MakeControlFont(10, QStringLiteral("黑体"), QStringLiteral("宋体")).pixelSize(), 13);
    EXPECT_EQ(MakeControlFont(0, QString(), QStringLiteral("x")).pixelSize(), 1);

    const QFont fallback = FallbackFormFont();
    EXPECT_EQ(fallback.pixelSize(), 12);
    EXPECT_EQ(fallback.weight(), QFont::Bold);
    // "宋体" is drawn by an installed face that has the Chinese characters.
    EXPECT_TRUE(QFontInfo(fallback).family().contains(QStringLiteral("CJK")))
        << QFontInfo(fallback).family().toStdString();
    EXPECT_FALSE(FormDefaultFont().family().isEmpty());
}

} // namespace
} // namespace zk
