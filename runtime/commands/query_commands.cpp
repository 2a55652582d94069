#include "runtime/commands/query_commands.h"

#include "runtime/commands/query_handlers.h"

#include <array>

namespace zk {

namespace {

constexpr std::array kQueryBindings = {
    HandlerBinding{"query_to_wnds", &QueryToWnds},
    HandlerBinding{"query_to_list", &QueryToList},
    HandlerBinding{"query_to_lists", &QueryToLists},
    HandlerBinding{"query_to_lists2", &QueryToLists2},
    HandlerBinding{"run_sql", &RunSql},
    HandlerBinding{"select_info_table", &SelectInfoTable},
    HandlerBinding{"query_to_wnd", &QueryToWnd},
    HandlerBinding{"query_to_wnd2", &QueryToWnd2},
    HandlerBinding{"query_to_btns", &QueryToBtns},
    HandlerBinding{"query_to_head", &QueryToHead},
    HandlerBinding{"check", &Check},
    HandlerBinding{"checkthis", &CheckThis},
    HandlerBinding{"query_to_tree_head", &QueryToTreeHead},
    HandlerBinding{"able", &Able},
    // The two header variants run the grid fill's handler.
    HandlerBinding{"select_head_name", &SelectInfoTable},
    HandlerBinding{"select_head_length", &SelectInfoTable},
    HandlerBinding{"select_info_tree", &SelectInfoTree},
    HandlerBinding{"query_to_main", &QueryToMain},
    HandlerBinding{"query_to_table", &QueryToTable},
};

} // namespace

std::span<const HandlerBinding> QueryHandlerBindings()
{
    return kQueryBindings;
}

} // namespace zk
