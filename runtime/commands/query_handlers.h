#pragma once

// The handlers of the query family, one declaration per command; the
// binding table in query_commands.cpp attaches them.

namespace zk {

class CXmlNode;
class D_T1;

bool QueryToWnds(const CXmlNode& command, D_T1& form);
bool QueryToWnd(const CXmlNode& command, D_T1& form);
bool QueryToWnd2(const CXmlNode& command, D_T1& form);
bool QueryToList(const CXmlNode& command, D_T1& form);
bool QueryToLists(const CXmlNode& command, D_T1& form);
bool QueryToLists2(const CXmlNode& command, D_T1& form);
bool QueryToBtns(const CXmlNode& command, D_T1& form);
bool QueryToHead(const CXmlNode& command, D_T1& form);
bool QueryToTreeHead(const CXmlNode& command, D_T1& form);
bool QueryToMain(const CXmlNode& command, D_T1& form);
bool Able(const CXmlNode& command, D_T1& form);
bool QueryToTable(const CXmlNode& command, D_T1& form);
bool SelectInfoTable(const CXmlNode& command, D_T1& form);
bool SelectInfoTree(const CXmlNode& command, D_T1& form);
bool Check(const CXmlNode& command, D_T1& form);
bool CheckThis(const CXmlNode& command, D_T1& form);
bool RunSql(const CXmlNode& command, D_T1& form);

} // namespace zk
