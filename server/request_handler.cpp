#include "server/request_handler.h"

#include "data/backends/backend.h"
#include "data/link/link_protocol.h"
#include "server/file_store.h"
#include "server/server_log.h"
#include "server/token_issuer.h"
#include "util/codec.h"
#include "util/numbers.h"

#include <limits>

namespace zk::server {

namespace {

using link::GS;
using link::RS;

// Texts of the server's own refusals.
const QString kWrongKey = QStringLiteral("密钥错误");
const QString kBadToken = QStringLiteral("令牌无效,请重新连接服务器");
const QString kNotLoggedIn = QStringLiteral("未登录服务器");
const QString kBadRequest = QStringLiteral("请求格式错误");
const QString kUnknownRequest = QStringLiteral("不支持的请求");
const QString kSeparatorInResult = QStringLiteral("查询结果中含有分隔字符(0x1D或0x1E),不能传送");
const QString kResultTooLarge = QStringLiteral("结果太大,不能传送");
const QString kBadFileName = QStringLiteral("文件名不合法");

Reply Ok(const QString& text = {})
{
    return {1, ToGb18030(text), {}};
}

Reply Nothing()
{
    return {0, {}, {}};
}

Reply Refuse(const QString& text)
{
    return {-1, ToGb18030(text), {}};
}

// A binary reply: its text part is the size, never empty.
Reply Bytes(const QByteArray& bytes)
{
    return {1, QByteArray::number(bytes.size()), bytes};
}

// Appends the groups to `text`, each group's values joined by GS and the groups separated
// by RS, in one buffer sized beforehand (results run to millions of characters). A value
// that holds a separator would be split by the client into the wrong columns, so such a
// result is refused rather than sent out of shape.
bool JoinGroups(std::initializer_list<const QStringList*> groups, QString& text)
{
    const qsizetype start = text.size();
    qsizetype size = start + qsizetype(groups.size()) - 1;
    qsizetype separators = 0;
    for (const QStringList* group : groups) {
        for (const QString& value : *group)
            size += value.size();
        separators += std::max<qsizetype>(group->size() - 1, 0);
    }
    text.resize(size + separators);
    QChar* out = text.data() + start;
    bool firstGroup = true;
    for (const QStringList* group : groups) {
        if (!firstGroup)
            *out++ = RS.front();
        firstGroup = false;
        for (qsizetype i = 0; i < group->size(); ++i) {
            if (i > 0)
                *out++ = GS.front();
            const QString& value = (*group)[i];
            std::copy_n(value.constData(), value.size(), out);
            out += value.size();
        }
    }
    const QStringView joined = QStringView(text).mid(start);
    return joined.count(GS.front()) == separators &&
           joined.count(RS.front()) == qsizetype(groups.size()) - 1;
}

Reply Joined(QString text, std::initializer_list<const QStringList*> groups)
{
    return JoinGroups(groups, text) ? Ok(text) : Refuse(kSeparatorInResult);
}

// A table the session joined itself: names, RS, values. The same check as JoinGroups.
Reply JoinedTable(const JoinedRows& rows)
{
    const QString text = QString::fromUtf8(rows.utf8);
    const qsizetype values = rows.rowCount * rows.columnCount;
    const qsizetype separators = (rows.columnCount - 1) + (values - 1);
    if (text.count(GS.front()) != separators || text.count(RS.front()) != 1)
        return Refuse(kSeparatorInResult);
    return Ok(text);
}

// The names and values of a request: an empty group is no names, and no values when
// there are no names either (one empty value otherwise).
QStringList Names(const QString& group)
{
    return group.isEmpty() ? QStringList() : group.split(GS);
}

QStringList Values(const QString& group, const QStringList& names)
{
    return group.isEmpty() && names.isEmpty() ? QStringList() : group.split(GS);
}

// The text before and after the last GS; false without one.
bool SplitLast(const QString& text, QString& sql, QString& name)
{
    const qsizetype at = text.lastIndexOf(GS);
    if (at < 0)
        return false;
    sql = text.left(at);
    name = text.mid(at + 1);
    return true;
}

} // namespace

RequestHandler::RequestHandler(const ServiceContext& context, QString peer)
    : context_(context)
    , peer_(std::move(peer))
{
}

RequestHandler::~RequestHandler()
{
    if (inTransaction_) {
        Log(QStringLiteral("closed inside a transaction: rolled back"));
        EndTransaction();
    }
}

void RequestHandler::Log(const QString& text) const
{
    if (context_.log)
        context_.log->Line(peer_ + u' ' + text);
}

void RequestHandler::EndTransaction()
{
    session_.RollbackTrans();
    inTransaction_ = false;
}

Reply RequestHandler::Failure() const
{
    return Refuse(session_.errorText.isEmpty() ? session_.errorDetail : session_.errorText);
}

bool RequestHandler::OpenSession()
{
    session_.SetConnectionString(context_.db);
    if (session_.Open())
        return true;
    Log(QStringLiteral("database: ") + session_.errorText + u' ' + session_.errorDetail);
    return false;
}

Reply RequestHandler::Handle(const Request& request, bool& close)
{
    close = false;
    const QString text = FromGb18030(request.text);
    Reply reply;
    if (request.code == link::kInit || request.code == link::kLogin || !open_) {
        reply = Handshake(request.code, text, close);
    } else {
        session_.errorText.clear();
        session_.errorDetail.clear();
        // A failed statement marks the session not open; outside a transaction it starts
        // from a fresh connection, so a database that went away and came back is found again.
        if (!inTransaction_ && !session_.IsOpen() && !OpenSession())
            reply = Failure();
        else if (request.code == link::kFile)
            reply = File(text, request.binary);
        else
            reply = Database(request.code, text, request.binary);
    }
    if (reply.text.size() + reply.binary.size() > context_.maxReply)
        reply = Refuse(kResultTooLarge);
    return reply;
}

Reply RequestHandler::Handshake(qint32 code, const QString& text, bool& close)
{
    if (code == link::kInit) {
        if (text.startsWith(link::kInitPrefix) &&
            context_.tokens->KeyMatches(text.mid(link::kInitPrefix.size())))
            return Ok(context_.tokens->Issue());
        Log(QStringLiteral("handshake refused: wrong key"));
        close = true;
        return Refuse(kWrongKey);
    }
    if (code == link::kLogin) {
        tokenAccepted_ = context_.tokens->Verify(text);
        if (tokenAccepted_)
            return Ok();
        Log(QStringLiteral("login refused: unknown token"));
        close = true;
        return Refuse(kBadToken);
    }
    if (code == link::kCommand && text == link::kOpenText && tokenAccepted_) {
        open_ = OpenSession();
        if (open_)
            return Ok();
        close = true;
        return Failure();
    }
    Log(QStringLiteral("request %1 before login: connection closed").arg(code));
    close = true;
    return Refuse(kNotLoggedIn);
}

Reply RequestHandler::Command(const QString& text)
{
    if (text == link::kOpenText)
        return Ok();
    if (text == link::kCloseText) {
        if (inTransaction_)
            EndTransaction();
        session_.Close();
        open_ = false;
        return Ok();
    }
    if (text == link::kTypeText)
        return Ok(session_.GetDbType());
    if (text == link::kBeginTransText) {
        if (!session_.BeginTrans())
            return Failure();
        inTransaction_ = true;
        return Ok();
    }
    if (text == link::kCommitTransText || text == link::kRollbackTransText) {
        const bool done =
            text == link::kCommitTransText ? session_.CommitTrans() : session_.RollbackTrans();
        inTransaction_ = false;
        return done ? Ok() : Failure();
    }
    return session_.Execute(text) ? Ok() : Failure();
}

Reply RequestHandler::Database(qint32 code, const QString& text, const QByteArray& binary)
{
    QString value;
    QStringList names;
    QStringList values;
    QString sql;
    QString name;
    switch (code) {
    case link::kCommand:
        return Command(text);
    case link::kExists:
        if (session_.Exists(text))
            return Ok();
        break;
    case link::kIsFind:
        if (session_.IsFind(text, value))
            return Ok(value);
        break;
    case link::kQueryList: {
        const int found = session_.QueryList(text, values);
        if (found < 0)
            return Failure();
        if (found == 0)
            return Nothing();
        return Joined({}, {&values});
    }
    case link::kQueryFields: {
        const QStringList parts = text.split(GS);
        names = parts.mid(1);
        if (names == QStringList{QString()})
            names.clear();
        if (session_.QueryFields(parts[0], names, values))
            return Joined({}, {&values});
        break;
    }
    case link::kQueryTable: {
        // Joined by the session: a large table never becomes one text object per value.
        JoinedRows rows;
        rows.valueSeparator = GS.front();
        rows.groupSeparator = RS.front();
        if (!session_.QueryTableJoined(text, rows))
            return Failure();
        if (rows.rowCount == 0)
            return Nothing();
        return JoinedTable(rows);
    }
    case link::kQueryPage:
        return Page(text);
    case link::kReadBinary: {
        QList<QByteArray> buffers;
        if (!SplitLast(text, sql, name))
            return Refuse(kBadRequest);
        if (session_.ReadBinary(sql, name.isEmpty() ? QStringList() : QStringList{name}, buffers))
            return Bytes(buffers.value(0));
        break;
    }
    case link::kInsertRecord:
    case link::kInsertUidRecord:
    case link::kUpdate:
        return Records(code, text);
    case link::kUpdateBinary:
        if (!SplitLast(text, sql, name))
            return Refuse(kBadRequest);
        return session_.UpdateBinaryRecord(sql, {name}, {binary}) ? Ok() : Failure();
    case link::kCallServer:
        return Ok(text == link::kGetIpText ? peer_ : QStringLiteral("0"));
    default:
        Log(QStringLiteral("unknown request %1").arg(code));
        return Refuse(kUnknownRequest);
    }
    // A reading operation that failed without a message found nothing.
    if (session_.errorText.isEmpty() && session_.errorDetail.isEmpty())
        return Nothing();
    return Failure();
}

Reply RequestHandler::Records(qint32 code, const QString& text)
{
    const QStringList groups = text.split(RS);
    if (groups.size() != 3)
        return Refuse(kBadRequest);
    const QStringList names = Names(groups[1]);
    const QStringList values = Values(groups[2], names);
    if (code == link::kInsertUidRecord) {
        QString id;
        return session_.InsertUidRecord(id, groups[0], names, values) == 1 ? Ok(id) : Failure();
    }
    const bool done = code == link::kInsertRecord ? session_.InsertRecord(groups[0], names, values)
                                                  : session_.Update(groups[0], names, values);
    // A row that is there already (or none to update) is a refusal without a message.
    return done ? Ok() : Failure();
}

Reply RequestHandler::Page(const QString& text)
{
    const QStringList parts = text.split(GS);
    if (parts.size() < 5)
        return Refuse(kBadRequest);
    QStringList names;
    QStringList values;
    int total = 0;
    int pageCount = 0;
    if (!session_.QueryPage(parts[0], parts[1], ToInt(parts[2]), ToInt(parts[3]),
                            parts.mid(4).join(GS), names, values, total, pageCount))
        return Failure();
    if (total <= 0)
        return Nothing();
    return Joined(QString::number(total) + RS + QString::number(pageCount) + RS, {&names, &values});
}

Reply RequestHandler::File(const QString& text, const QByteArray& binary)
{
    const QStringList parts = text.split(GS);
    if (parts.size() != 4)
        return Refuse(kBadRequest);
    const QString& verb = parts[0];
    const QString& table = parts[1];
    const QString& id = parts[2];
    const QString& format = parts[3];
    QString error;
    QByteArray bytes;
    FileStore::Result result = FileStore::Result::Failed;
    if (verb == link::kUploadVerb)
        result = context_.files->Write(table, id, format, binary, error);
    else if (verb == link::kDownloadVerb)
        result = context_.files->Read(table, id, format, context_.maxReply - 32, bytes, error);
    else if (verb == link::kDeleteVerb)
        result = context_.files->Remove(table, id, format, error);
    else
        return Refuse(kUnknownRequest);
    switch (result) {
    case FileStore::Result::Ok:
        return verb == link::kDownloadVerb ? Bytes(bytes) : Ok(QStringLiteral("1"));
    case FileStore::Result::Missing:
        return Ok(link::kNoSuchFile);
    case FileStore::Result::BadName:
        Log(QStringLiteral("file name refused: ") + table + u'/' + id + u'.' + format);
        return Refuse(kBadFileName);
    case FileStore::Result::Failed:
        break;
    }
    Log(QStringLiteral("file store: ") + error);
    return Refuse(error);
}

} // namespace zk::server
