#include "runtime/commands/command_table.h"

#include <array>

namespace zk {

namespace {

using F = CommandFamily;

// Parameter sets that several commands share.
constexpr std::string_view kListQuery =
    ".: target_ids values txt; para_info/*: value where; para_info_where/*: value where";
constexpr std::string_view kAbleLike =
    ".: table_id target_ids values type txt; para_info_where/*: value where; "
    "para_info/*: value";
constexpr std::string_view kGridSelect =
    "para_info_where|para_info: select where order contain_head reset_head table_id cols_width "
    "is_rowid counts_in_page page_buttons result_info_id; para_info_where/*: value where; "
    "para_info/*: value";
constexpr std::string_view kCheck =
    "para_info: table_id uid_wnd_id check_sql can_update_sql update_sql run_sql";
constexpr std::string_view kConverter = "para_info: table_id num_id col result_id";
constexpr std::string_view kTreeTarget = "para_info: tree_id target_id";
constexpr std::string_view kRowSources = "para_info: table_id target_id target_id2";
constexpr std::string_view kStoredFile =
    "para_info: target_id select_table file_name_id file_format_id";
constexpr std::string_view kUrlSource = "para_info: table_id url_id col";
constexpr std::string_view kHttp = "para_info: table_id url_id value_id col result_id";
constexpr std::string_view kPrintPos = "para_info: d_uid_id button_id left_id top_id";

// clang-format off
constexpr std::array kCommands = {
    CommandSpec{"query_to_wnds", F::query,
        ".: table_id target_ids values type txt; para_info_where/*: value where sign sign_id; "
        "para_in_out/*: in out type"},
    CommandSpec{"query_to_list", F::query, kListQuery},
    CommandSpec{"query_to_lists", F::query, kListQuery},
    CommandSpec{"query_to_lists2", F::query, kListQuery},
    CommandSpec{"run_sql", F::query,
        "*: table_id all_rows can_run_sql jp_id ids1 query1 ids2 query2 ids3 query3 jump_id "
        "run_sql target_ids query_sql target_ids2 query_sql2 run_sql2 target_ids3 query_sql3 "
        "ids10 query10 run_sql10 tip; */*: value wnd where",
        "each child is a statement element"},
    CommandSpec{"select_info_table", F::query, kGridSelect},
    CommandSpec{"query_to_wnd", F::query, ".: table_id target_ids values txt; para_info_where/*: value where"},
    CommandSpec{"query_to_wnd2", F::query, ".: table_id target_ids values txt; para_info_where/*: value where"},
    CommandSpec{"insert_head", F::record_save,
        "head_para_info: can_insert_sql insert_sql run_sql uid_wnd_id; "
        "head_para_info/*: field wnd empty desp value where"},
    CommandSpec{"update_head", F::record_save,
        "head_para_info: can_update_sql update_sql run_sql uid_wnd_id; "
        "head_para_info/*: field wnd empty desp value where"},
    CommandSpec{"insert_detail", F::record_save,
        "(first): table_id not_save_rownum contain_head can_insert_sql before_insert insert_sql "
        "run_sql run_sql_insert can_update_sql before_update update_sql run_sql_update "
        "can_delete_sql before_delete delete_sql; (first)/*: value wnd where; "
        "(first)/para_info_where/*: value where",
        "columns from the grid's own definition"},
    CommandSpec{"reset_detail", F::record_save, ".: target_ids values"},
    CommandSpec{"sendmessage", F::grid_control, ".: target_ids values"},
    CommandSpec{"send_click", F::grid_control, ".: target_ids"},
    CommandSpec{"menu", F::grid_control, "*: id name color"},
    CommandSpec{"query_to_btns", F::query,
        ".: table_id target_ids values; para_info_where/*: value where; para_in_out/*: in out type"},
    CommandSpec{"query_to_head", F::query,
        ".: table_id target_ids values type txt; para_info_where/*: value where; "
        "para_in_out/*: in out type"},
    CommandSpec{"check", F::query, kCheck},
    CommandSpec{"checkthis", F::query, kCheck},
    CommandSpec{"query_to_tree_head", F::query, ".: table_id target_ids values type; para_info_where/*: value where"},
    CommandSpec{"get_daxie", F::grid_control, kConverter},
    CommandSpec{"able", F::query, kAbleLike},
    CommandSpec{"set_btn_state", F::grid_control,
        ".: table_id target_ids values txt; para_info_where/*: value where; para_info/*: value"},
    CommandSpec{"get_btn_state", F::grid_control, ".: target_ids values"},
    CommandSpec{"show", F::grid_control, kAbleLike},
    CommandSpec{"lock_col", F::grid_control,
        "para_info_where|para_info: table_id target_ids values type txt; "
        "para_info_where/*: value where; para_info/*: value"},
    CommandSpec{"set_table_readonly", F::grid_control, ".: table_id values"},
    CommandSpec{"set_row_color", F::grid_control, ".: table_id",
        "colours from the grid's table_info/para_info"},
    CommandSpec{"set_rows_colors", F::grid_control,
        "rows_colors: table_id; rows_colors/*: color_bg color_text text_col text empty"},
    CommandSpec{"set_cell_color", F::grid_control,
        "para_info: table_id color_bg color_text text_col text color_col"},
    CommandSpec{"format_cols", F::grid_control, "para_info: table_id target_ids values"},
    CommandSpec{"sum_cols", F::grid_control, "para_info: table_id col1 col2 col3"},
    CommandSpec{"del_cell_text", F::grid_control, "para_info_where|para_info: table_id col col_from col_to"},
    CommandSpec{"select_head_name", F::query, kGridSelect, "the handler of select_info_table"},
    CommandSpec{"select_head_length", F::query, kGridSelect, "the handler of select_info_table"},
    CommandSpec{"select_info_tree", F::query,
        "para_info_where: select check_sql tree_id; para_info_where/*: value where"},
    CommandSpec{"select_item", F::grid_control, "para_info: tree_id"},
    CommandSpec{"get_id_from_tree", F::grid_control, kTreeTarget},
    CommandSpec{"get_ids_from_tree", F::grid_control, kTreeTarget},
    CommandSpec{"set_checked_all", F::grid_control, "para_info: target_id check"},
    CommandSpec{"get_ids_from_list", F::grid_control, kRowSources},
    CommandSpec{"get_selected_rows", F::grid_control, kRowSources},
    CommandSpec{"get_name_from_tree", F::grid_control, kTreeTarget},
    CommandSpec{"sum_table_col", F::grid_control, ".: target_ids"},
    CommandSpec{"click_page", F::grid_control, "para_info: page button_id"},
    CommandSpec{"addrow", F::grid_control, "para_info: table_id rownum which_row"},
    CommandSpec{"delrow", F::grid_control, "para_info: table_id rownum"},
    CommandSpec{"uprow", F::grid_control, ".: table_id"},
    // Described with uprow but missing from the old dispatch list, where it
    // was skipped as unknown; dispatched here.
    CommandSpec{"downrow", F::grid_control, ".: table_id"},
    CommandSpec{"UrlEncode", F::grid_control, kConverter},
    CommandSpec{"UrlDecode", F::grid_control, kConverter},
    CommandSpec{"md5", F::grid_control, ".: values target_ids"},
    CommandSpec{"jiami_md5", F::grid_control, ".: values target_ids"},
    CommandSpec{"save_pass", F::grid_control, ".: values"},
    CommandSpec{"query_to_main", F::query,
        ".: table_id target_ids values txt; para_info_where/*: value where; "
        "para_in_out/*: in out type"},
    CommandSpec{"return_selected", F::grid_control, ".: values table_id"},
    CommandSpec{"return_selected_node", F::grid_control, ".: values"},
    CommandSpec{"close", F::web_dialog_navigation, ""},
    CommandSpec{"select_all", F::grid_control, ".: table_id"},
    CommandSpec{"select_into", F::grid_control,
        ".: txt; para_info: from_table_id to_table_id select; para_info/para_in/*: value; "
        "para_info/para_out/*: value"},
    CommandSpec{"query_to_table", F::query,
        "para_info: select to_table_id; para_info/para_in/*: value; para_info/para_out/*: value"},
    CommandSpec{"select_file", F::file_picture, ".: target_ids values"},
    CommandSpec{"get_info", F::file_picture, ".: target_ids values"},
    CommandSpec{"upload", F::file_picture,
        "para_info: target_id select_table file_format_id format_permit_id max_size is_new"},
    CommandSpec{"download", F::file_picture, kStoredFile},
    CommandSpec{"ds_pic", F::file_picture,
        "para_info: target_id select_table file_name_id file_format_id pic_id"},
    CommandSpec{"deletefile", F::file_picture, kStoredFile},
    CommandSpec{"deletefiles", F::file_picture, "para_info: table_id select_table format_col"},
    CommandSpec{"set_focus", F::grid_control, ".: target_ids"},
    CommandSpec{"copytable", F::export_excel, ".: target_ids values table_id"},
    CommandSpec{"copycontent", F::grid_control, ".: values; para_info/*: value"},
    CommandSpec{"show_cols", F::grid_control, ".: table_id"},
    CommandSpec{"download_excel", F::export_excel, kStoredFile},
    CommandSpec{"open_excel", F::export_excel, ".: table_id values target_ids"},
    CommandSpec{"export_wnd", F::export_excel, "*: wnd target"},
    CommandSpec{"export_table", F::export_excel, ".: table_id values target_ids"},
    CommandSpec{"export_pic", F::export_excel,
        "para_info: target_id select_table file_name_id file_format_id cell_begin_id cell_end_id"},
    CommandSpec{"show_excel", F::export_excel, ""},
    CommandSpec{"run_dll_method", F::web_dialog_navigation, "", "accepted and ignored"},
    CommandSpec{"set_draw_method", F::web_dialog_navigation, "", "accepted and ignored"},
    CommandSpec{"open_url", F::web_dialog_navigation, kUrlSource},
    CommandSpec{"get_html", F::web_dialog_navigation, kHttp},
    CommandSpec{"post_html", F::web_dialog_navigation, kHttp, "the handler of get_html"},
    CommandSpec{"post2_html", F::web_dialog_navigation,
        "para_info: table_id url_id value_id col result_id is_post login"},
    CommandSpec{"open_file", F::file_picture, kUrlSource},
    CommandSpec{"cmd", F::web_dialog_navigation, ".: table_id target_ids values; para_info_where/*: value where"},
    CommandSpec{"show_pic", F::file_picture, "para_info: table_id url_id col target"},
    CommandSpec{"show_report", F::export_excel,
        ".: title_id table_id target split_width sign_col left_sign_id left_title_id "
        "right_sign_id right_title_id sign_color save_path_id; "
        "cols/*: col color width chart_type chart_zx"},
    CommandSpec{"show_table", F::export_excel,
        ".: table_id height; para_info_where: select select_color; para_info_where/*: value where"},
    CommandSpec{"upload_pic", F::file_picture,
        "para_info: table_id values source_id img_field_name max; para_info_where/*: value where"},
    CommandSpec{"download_pic", F::file_picture,
        "para_info: table_id target_ids values img_field_name; para_info_where/*: value where"},
    CommandSpec{"query_to_print", F::print, ".: table_id values; para_info_where/*: value where"},
    CommandSpec{"print_pos_get", F::print, kPrintPos},
    CommandSpec{"print_pos_setup", F::print, kPrintPos},
    CommandSpec{"print_setup", F::print, ".: target_ids"},
    CommandSpec{"print", F::print,
        "print_para: is_direct name_id head_height foot_height left top btm head_width "
        "font_default img_pos bg_img debug page_info_pos uid_id print_btn click_btn copies_id "
        "printer_id; print_para/*: is_print_id is_head font pos wnd_type wnd value value_ahead "
        "split_size format align row_height auto_height; "
        "print_para/*/*: col_id width align title id format wnd_type font pos type value "
        "x_count x_width y_height",
        "the layout is the print_para child"},
    CommandSpec{"print_pre", F::print, ".: target_ids"},
    CommandSpec{"show_dialog", F::web_dialog_navigation,
        ".: txt; para_info: html_id table_id col_id popup_col_id from_wnd_id to_wnd_id type type2"},
};
// clang-format on

constexpr CommandSpec kJump{kJumpName, F::query,
                            ".: table_id values txt; para_info_where/*: value where",
                            "moves the position in the script by the query's first value"};

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

QString CommandFamilyName(CommandFamily family)
{
    switch (family) {
    case F::query:
        return QStringLiteral("query");
    case F::record_save:
        return QStringLiteral("record_save");
    case F::grid_control:
        return QStringLiteral("grid_control");
    case F::file_picture:
        return QStringLiteral("file_picture");
    case F::export_excel:
        return QStringLiteral("export_excel");
    case F::web_dialog_navigation:
        return QStringLiteral("web_dialog_navigation");
    case F::print:
        return QStringLiteral("print");
    }
    return {};
}

std::span<const CommandSpec> CommandList()
{
    return kCommands;
}

const CommandSpec* FindCommand(QStringView name)
{
    for (const CommandSpec& command : kCommands) {
        if (name == QLatin1StringView(command.name.data(), qsizetype(command.name.size())))
            return &command;
    }
    return nullptr;
}

const CommandSpec& JumpSpec()
{
    return kJump;
}

QList<CommandRead> CommandReads(const CommandSpec& command)
{
    QList<CommandRead> reads;
    for (const QString& entry : ToQString(command.reads).split(u';', Qt::SkipEmptyParts)) {
        const qsizetype colon = entry.indexOf(u':');
        CommandRead read;
        read.place = entry.left(colon).trimmed();
        if (colon >= 0)
            read.attributes = entry.mid(colon + 1).split(u' ', Qt::SkipEmptyParts);
        reads.append(std::move(read));
    }
    return reads;
}

QString CommandReferenceMarkdown()
{
    QString text = QStringLiteral("# Commands of action scripts\n\n"
                                  "Generated from runtime/commands/command_table.cpp: the "
                                  "commands in dispatch order, grouped by family. A place is "
                                  "`.` (the command element), a path of child elements, `*` "
                                  "(every child), `(first)` (the first child element) or "
                                  "`a|b` (a, else b).\n");
    for (int f = int(F::query); f <= int(F::print); ++f) {
        text += QStringLiteral("\n## %1\n\n| # | Command | Reads | Note |\n|---|---|---|---|\n")
                    .arg(CommandFamilyName(CommandFamily(f)));
        for (size_t i = 0; i < kCommands.size(); ++i) {
            const CommandSpec& command = kCommands[i];
            if (int(command.family) != f)
                continue;
            QStringList reads;
            for (const CommandRead& read : CommandReads(command)) {
                // A bare "|" would end the table cell.
                reads.append(QStringLiteral("`%1`").arg(
                                 QString(read.place).replace(u'|', QStringLiteral("\\|"))) +
                             (read.attributes.isEmpty()
                                  ? QString()
                                  : QStringLiteral(": ") + read.attributes.join(u' ')));
            }
            text += QStringLiteral("| %1 | `%2` | %3 | %4 |\n")
                        .arg(QString::number(i + 1), ToQString(command.name),
                             reads.join(QStringLiteral("; ")), ToQString(command.note));
        }
    }
    const CommandSpec& jump = kJump;
    text += QStringLiteral("\n## jump\n\n`jump` is no command: the interpreter treats it before "
                           "the list. It reads %1; %2.\n")
                .arg(ToQString(jump.reads), ToQString(jump.note));
    return text;
}

} // namespace zk
