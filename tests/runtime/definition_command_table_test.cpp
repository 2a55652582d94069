#include "runtime/commands/command_registry.h"
#include "tests/common/test_env.h"
#include "tests/forms/definition_printers.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace zk {
namespace {

QString Name(const CommandSpec& command)
{
    return QString::fromLatin1(command.name.data(), qsizetype(command.name.size()));
}

TEST(CommandTable, DispatchOrder)
{
    // The interpreter compares names in this order; downrow follows uprow.
    const QStringList expected =
        QStringLiteral(
            "query_to_wnds query_to_list query_to_lists query_to_lists2 run_sql select_info_table "
            "query_to_wnd query_to_wnd2 insert_head update_head insert_detail reset_detail "
            "sendmessage send_click menu query_to_btns query_to_head check checkthis "
            "query_to_tree_head get_daxie able set_btn_state get_btn_state show lock_col "
            "set_table_readonly set_row_color set_rows_colors set_cell_color format_cols sum_cols "
            "del_cell_text select_head_name select_head_length select_info_tree select_item "
            "get_id_from_tree get_ids_from_tree set_checked_all get_ids_from_list "
            "get_selected_rows "
            "get_name_from_tree sum_table_col click_page addrow delrow uprow downrow UrlEncode "
            "UrlDecode md5 jiami_md5 save_pass query_to_main return_selected return_selected_node "
            "close select_all select_into query_to_table select_file get_info upload download "
            "ds_pic deletefile deletefiles set_focus copytable copycontent show_cols "
            "download_excel "
            "open_excel export_wnd export_table export_pic show_excel run_dll_method "
            "set_draw_method open_url get_html post_html post2_html open_file cmd show_pic "
            "show_report show_table upload_pic download_pic query_to_print print_pos_get "
            "print_pos_setup print_setup print print_pre show_dialog")
            .split(u' ');
    QStringList names;
    for (const CommandSpec& command : CommandList())
        names.append(Name(command));
    EXPECT_EQ(names, expected);

    EXPECT_EQ(FindCommand(u"print")->family, CommandFamily::print);
    EXPECT_EQ(FindCommand(u"copytable")->family, CommandFamily::export_excel);
    EXPECT_EQ(FindCommand(u"open_file")->family, CommandFamily::file_picture);
    EXPECT_EQ(FindCommand(u"close")->family, CommandFamily::web_dialog_navigation);
    EXPECT_EQ(FindCommand(u"query_to_main")->family, CommandFamily::query);
    EXPECT_EQ(FindCommand(u"reset_detail")->family, CommandFamily::record_save);
    EXPECT_EQ(FindCommand(u"UrlEncode")->family, CommandFamily::grid_control);
    EXPECT_EQ(FindCommand(u"Query_To_Table"), nullptr) << "names are case-sensitive";
    EXPECT_EQ(FindCommand(u"urlencode"), nullptr);
    EXPECT_EQ(FindCommand(u"jump"), nullptr) << "jump is treated before the list";
}

TEST(CommandTable, ReadsAreWellFormed)
{
    const QRegularExpression place(QStringLiteral("^(\\.|\\(first\\)|[A-Za-z_*]+)(/[A-Za-z_*]+)*"
                                                  "(\\|[A-Za-z_]+)?$"));
    const QRegularExpression attribute(QStringLiteral("^[a-z_0-9]+$"));
    QList<CommandSpec> all(CommandList().begin(), CommandList().end());
    all.append(JumpSpec());
    for (const CommandSpec& command : all) {
        for (const CommandRead& read : CommandReads(command)) {
            EXPECT_TRUE(place.match(read.place).hasMatch())
                << Name(command).toStdString() << ": " << read.place.toStdString();
            EXPECT_FALSE(read.attributes.isEmpty()) << Name(command).toStdString();
            EXPECT_EQ(QSet<QString>(read.attributes.begin(), read.attributes.end()).size(),
                      read.attributes.size())
                << Name(command).toStdString() << " lists an attribute twice";
            for (const QString& a : read.attributes)
                EXPECT_TRUE(attribute.match(a).hasMatch()) << Name(command).toStdString();
        }
    }
    const QList<CommandRead> jump = CommandReads(JumpSpec());
    ASSERT_EQ(jump.size(), 2);
    EXPECT_EQ(jump[0].attributes, (QStringList{"table_id", "values", "txt"}));
    EXPECT_EQ(jump[1].place, QStringLiteral("para_info_where/*"));
}

bool Stop(const CXmlNode&, D_T1&)
{
    return false;
}
bool GoOn(const CXmlNode&, D_T1&)
{
    return true;
}

TEST(CommandRegistry, FamiliesAttachOnlyTheirOwnListedNames)
{
    CommandRegistry registry;
    EXPECT_EQ(registry.Unattached().size(), qsizetype(CommandList().size()));
    ASSERT_NE(registry.Find(u"close"), nullptr);
    EXPECT_EQ(registry.Find(u"close")->handler, nullptr) << "null until the family lands";
    EXPECT_EQ(registry.Find(u"Close"), nullptr);

    const HandlerBinding web[] = {{"close", GoOn}, {"run_dll_method", GoOn}};
    QString error;
    ASSERT_TRUE(registry.Attach(CommandFamily::web_dialog_navigation, web, &error))
        << error.toStdString();
    EXPECT_EQ(registry.Find(u"close")->handler, &GoOn);
    EXPECT_EQ(registry.Find(u"close")->command, FindCommand(u"close"));
    EXPECT_FALSE(registry.Unattached().contains("close"));

    const struct {
        CommandFamily family;
        HandlerBinding bindings[2];
        const char* why;
    } refused[] = {
        {CommandFamily::grid_control,
         {{"addrow", Stop}, {"add_row", Stop}},
         "命令表中没有命令 add_row"},
        {CommandFamily::grid_control,
         {{"addrow", Stop}, {"print", Stop}},
         "命令 print 属于 print，不属于 grid_control"},
        {CommandFamily::grid_control, {{"addrow", Stop}, {"addrow", GoOn}}, "命令 addrow 重复登记"},
        {CommandFamily::grid_control,
         {{"addrow", Stop}, {"delrow", nullptr}},
         "命令 delrow 没有处理函数"},
        {CommandFamily::web_dialog_navigation,
         {{"cmd", Stop}, {"close", Stop}},
         "命令 close 重复登记"},
    };
    for (const auto& r : refused) {
        EXPECT_FALSE(registry.Attach(r.family, r.bindings, &error)) << r.why;
        EXPECT_EQ(error, QString::fromUtf8(r.why));
    }
    EXPECT_EQ(registry.Find(u"addrow")->handler, nullptr) << "a refused table attaches nothing";
    EXPECT_EQ(registry.Find(u"cmd")->handler, nullptr);
    EXPECT_EQ(CommandRegistry::MissingHandlerText(u"upload"),
              QStringLiteral("命令 upload 尚未实现"));
}

// docs/COMMANDS.md is printed from the table; ZK_WRITE_COMMAND_REFERENCE=1
// rewrites it after the table changed.
TEST(CommandTable, ReferenceInDocsMatchesTheTable)
{
    const QString path = test::SourceDir() + QStringLiteral("/../docs/COMMANDS.md");
    const QString reference = CommandReferenceMarkdown();
    if (qEnvironmentVariableIntValue("ZK_WRITE_COMMAND_REFERENCE") == 1) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(reference.toUtf8());
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    EXPECT_TRUE(QString::fromUtf8(file.readAll()) == reference)
        << "docs/COMMANDS.md is out of date: run this test with ZK_WRITE_COMMAND_REFERENCE=1";
    EXPECT_TRUE(reference.contains(QStringLiteral("| 49 | `downrow` | `.`: table_id |")));
}

} // namespace
} // namespace zk
