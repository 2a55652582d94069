#include "data/link/server_link.h"

#include "util/files.h"
#include "util/numbers.h"
#include "util/program_folder.h"

namespace zk {

namespace {

// The parts of a text between the separators. Results run to a million values, so the
// list is sized once and every part is made straight from its characters.
QStringList SplitAt(QStringView text, QChar separator)
{
    QStringList parts;
    parts.reserve(text.count(separator) + 1);
    qsizetype start = 0;
    for (qsizetype at = text.indexOf(separator); at >= 0; at = text.indexOf(separator, start)) {
        parts.emplaceBack(text.data() + start, at - start);
        start = at + 1;
    }
    parts.emplaceBack(text.data() + start, text.size() - start);
    return parts;
}

// Appends a whole list, taking it over when there is nothing to append to.
void AppendAll(QStringList& to, QStringList&& from)
{
    if (to.isEmpty())
        to = std::move(from);
    else
        to.append(from);
}

// The values of a group. An empty group holds no values, except where one empty
// value is the only reading that fits: a reply with rows (status > 0) always
// carries at least one value, so an empty text of a single-column result is that
// one empty value. "No rows" comes as status 0.
QStringList SplitValues(QStringView group, qsizetype columns)
{
    if (group.isEmpty() && columns != 1)
        return {};
    return SplitAt(group, link::GS.front());
}

QString Joined(const QString& sql, const QStringList& names, const QStringList& values)
{
    return sql + link::RS + names.join(link::GS) + link::RS + values.join(link::GS);
}

// A file name that stays inside the temp folder whatever the record says.
QString SafeFileName(QString name)
{
    for (QChar& c : name) {
        if (c == u'/' || c == u'\\' || c == QChar(0))
            c = u'_';
    }
    return name;
}

} // namespace

void CServerLink::SetServer(const QString& serverHost, int serverPort)
{
    host = serverHost;
    port = serverPort;
}

int CServerLink::Request(qint32 code, const QString& text, Check check, ServerReply& reply,
                         const QByteArray& binary)
{
    const bool carried = ExchangeFrame(socket, code, text, binary, reply);
    if (!carried)
        reply.status = -2;
    lastStatus = reply.status;
    if (check == Check::None)
        return reply.status;
    lastError.clear();
    if (!carried)
        lastError = check == Check::Connection ? link::kCannotConnect : link::kNetworkError;
    else if (reply.status < 0)
        lastError = reply.serverMessage;
    else if (reply.status == 0)
        reply.text.clear();
    return reply.status;
}

bool CServerLink::Open()
{
    if (socket.connected)
        socket.CheckPeer();
    if (socket.loggedIn && socket.connected)
        return true;
    if (!socket.connected && !socket.Connect(host, port)) {
        lastError = link::kCannotConnect;
        return false;
    }
    ServerReply reply;
    if (Request(link::kLogin, token_, Check::Common, reply) >= 1 &&
        Request(link::kCommand, link::kOpenText, Check::Common, reply) >= 1)
        socket.loggedIn = true;
    else
        socket.Close();
    return socket.loggedIn;
}

void CServerLink::Close()
{
    if (socket.loggedIn) {
        ServerReply reply;
        Request(link::kCommand, link::kCloseText, Check::None, reply);
    }
    socket.Close();
}

bool CServerLink::IsLoggedIn()
{
    if (socket.connected)
        socket.CheckPeer();
    return socket.loggedIn && socket.connected;
}

QString CServerLink::GetDbType()
{
    ServerReply reply;
    return Request(link::kCommand, link::kTypeText, Check::Common, reply) >= 1
               ? reply.text
               : QStringLiteral("0");
}

bool CServerLink::Execute(const QString& sql)
{
    ServerReply reply;
    return Request(link::kCommand, sql, Check::Common, reply) > 0;
}

bool CServerLink::Exists(const QString& sql)
{
    ServerReply reply;
    return Request(link::kExists, sql, Check::Common, reply) > 0;
}

int CServerLink::IsFind(const QString& sql, QString& value)
{
    ServerReply reply;
    const int status = Request(link::kIsFind, sql, Check::Common, reply);
    value = status > 0 ? reply.text : QString();
    return status > 0 ? 1 : status == 0 ? 0 : -1;
}

int CServerLink::QueryList(const QString& sql, QStringList& values)
{
    values.clear();
    ServerReply reply;
    const int status = Request(link::kQueryList, sql, Check::Connection, reply);
    if (status <= 0)
        return status == 0 ? 0 : -1;
    values = SplitAt(reply.text, link::GS.front());
    return 1;
}

bool CServerLink::QueryFields(const QString& sql, const QStringList& names, QStringList& values)
{
    values.clear();
    ServerReply reply;
    if (Request(link::kQueryFields, sql + link::GS + names.join(link::GS), Check::Connection,
                reply) < 0)
        return false;
    if (reply.status > 0)
        values = SplitValues(reply.text, names.size());
    return true;
}

bool CServerLink::SplitGroups(const QString& text, int count, QList<QStringView>& groups)
{
    groups = QStringView(text).split(link::RS.front());
    if (groups.size() == count)
        return true;
    lastError = link::kBadResultFormat;
    return false;
}

bool CServerLink::QueryTable(const QString& sql, QStringList& names, QStringList& values)
{
    ServerReply reply;
    if (Request(link::kQueryTable, sql, Check::Connection, reply) < 0)
        return false;
    if (reply.status == 0)
        return true; // no rows: nothing added
    QList<QStringView> groups;
    if (!SplitGroups(reply.text, 2, groups))
        return false;
    const QStringList columns = SplitValues(groups[0], 0);
    names += columns;
    AppendAll(values, SplitValues(groups[1], columns.size()));
    return true;
}

bool CServerLink::QueryPage(const QString& select, const QString& condition, int pageSize,
                            int pageNumber, const QString& order, QStringList& names,
                            QStringList& values, int& total, int& pageCount)
{
    const QString text = select + link::GS + condition + link::GS + QString::number(pageSize) +
                         link::GS + QString::number(pageNumber) + link::GS + order;
    ServerReply reply;
    if (Request(link::kQueryPage, text, Check::Common, reply) < 0)
        return false;
    if (reply.status == 0) {
        total = 0; // nothing matched: names, values and the page count stay as they are
        return true;
    }
    QList<QStringView> groups;
    if (!SplitGroups(reply.text, 4, groups))
        return false;
    total = ToInt(groups[0].toString());
    pageCount = ToInt(groups[1].toString());
    const QStringList columns = SplitValues(groups[2], 0);
    names += columns;
    AppendAll(values, SplitValues(groups[3], columns.size()));
    return true;
}

bool CServerLink::ReadBinary(const QString& sql, const QString& firstName, QByteArray& data)
{
    ServerReply reply;
    if (Request(link::kReadBinary, sql + link::GS + firstName, Check::Common, reply) < 0)
        return false;
    data = reply.binary;
    return true;
}

bool CServerLink::InsertRecord(const QString& sql, const QStringList& names,
                               const QStringList& values)
{
    ServerReply reply;
    return Request(link::kInsertRecord, Joined(sql, names, values), Check::Connection, reply) >= 0;
}

bool CServerLink::InsertUidRecord(QString& id, const QString& sql, const QStringList& names,
                                  const QStringList& values)
{
    ServerReply reply;
    if (Request(link::kInsertUidRecord, Joined(sql, names, values), Check::Connection, reply) < 0)
        return false;
    id = reply.text;
    return true;
}

bool CServerLink::Update(const QString& sql, const QStringList& names, const QStringList& values)
{
    ServerReply reply;
    return Request(link::kUpdate, Joined(sql, names, values), Check::Connection, reply) >= 0;
}

bool CServerLink::UpdateBinaryRecord(const QString& sql, const QString& firstName,
                                     const QByteArray& data)
{
    ServerReply reply;
    return Request(link::kUpdateBinary, sql + link::GS + firstName, Check::Connection, reply,
                   data) >= 0;
}

bool CServerLink::Transaction(const QString& text)
{
    ServerReply reply;
    return Request(link::kCommand, text, Check::None, reply) >= 1;
}

bool CServerLink::BeginTrans()
{
    return Transaction(link::kBeginTransText);
}

bool CServerLink::CommitTrans()
{
    return Transaction(link::kCommitTransText);
}

bool CServerLink::RollbackTrans()
{
    return Transaction(link::kRollbackTransText);
}

QString CServerLink::CallServer(const QString& text)
{
    ServerReply reply;
    return Request(link::kCallServer, text, Check::Common, reply) >= 1 ? reply.text
                                                                       : QStringLiteral("0");
}

QString CServerLink::FileRequest(const QString& verb, const QString& table, const QString& recordId,
                                 const QString& format) const
{
    return verb + link::GS + table + link::GS + recordId + link::GS + format;
}

bool CServerLink::Upload(const QString& table, const QString& recordId, const QString& format,
                         const QByteArray& bytes)
{
    ServerReply reply;
    return Request(link::kFile, FileRequest(link::kUploadVerb, table, recordId, format),
                   Check::Connection, reply, bytes) >= 0;
}

bool CServerLink::Download(const QString& table, const QString& recordId, const QString& format,
                           const QString& fileName, QString& localPath)
{
    ServerReply reply;
    if (Request(link::kFile, FileRequest(link::kDownloadVerb, table, recordId, format),
                Check::Connection, reply) <= 0 ||
        reply.text == link::kNoSuchFile)
        return false;
    const QString folder = ProgramFolder() + QStringLiteral("temp/");
    const QString path = folder + SafeFileName(fileName + u'.' + format);
    if (!CreateFolder(folder) || !WriteFileBytes(path, reply.binary)) {
        lastError = QStringLiteral("不能写入文件:") + path;
        return false;
    }
    localPath = path;
    return true;
}

bool CServerLink::Delete(const QString& table, const QString& recordId, const QString& format)
{
    ServerReply reply;
    return Request(link::kFile, FileRequest(link::kDeleteVerb, table, recordId, format),
                   Check::Connection, reply) > 0 &&
           reply.text != link::kNoSuchFile;
}

} // namespace zk
