// The local text session: the .txt and .csv files of the program folder as tables.
#include "data/backends/text/text_table_file.h"
#include "data/session/db_session.h"
#include "tests/common/test_env.h"
#include "util/codec.h"
#include "util/files.h"
#include "util/program_folder.h"

#include <QDateTime>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zk {
namespace {

class TextSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        Write(u"items.txt"_s,
              u"code,name,qty\r\nA,\"螺丝, 大号\",10\r\nB,\"说 \"\"好\"\"\",3\r\n"_s.toUtf8());
        Write(u"客户.csv"_s, ToGb18030(u"id,名称\n1,华东\n2,\"华\n北\"\n"_s));
        session.SetConnectionString(
            u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Extended Properties=text;Persist Security Info=False;"_s
                .arg(ProgramFolder()));
        ASSERT_TRUE(session.Open()) << session.errorDetail.toStdString();
    }

    void Write(const QString& name, const QByteArray& bytes)
    {
        ASSERT_TRUE(WriteFileBytes(home.file(name), bytes));
    }

    QByteArray Read(const QString& name) const
    {
        QByteArray bytes;
        ReadFileBytes(home.file(name), bytes);
        return bytes;
    }

    QStringList List(const QString& sql)
    {
        QStringList list;
        EXPECT_GE(session.QueryList(sql, list), 0)
            << (session.errorText + u" | "_s + session.errorDetail).toStdString();
        return list;
    }

    test::ScopedHome home;
    CDbSession session;
};

TEST_F(TextSession, ReadsTextAndCsvFilesInEitherEncodingUnderEveryName)
{
    EXPECT_EQ(session.GetDbType(), u"2"_s);
    EXPECT_EQ(List(u"SELECT code, name, qty FROM [items.txt] ORDER BY code"_s),
              (QStringList{u"A"_s, u"螺丝, 大号"_s, u"10"_s, u"B"_s, u"说 \"好\""_s, u"3"_s}));
    EXPECT_EQ(List(u"SELECT code FROM items#txt WHERE qty > 5"_s), QStringList{u"A"_s});
    EXPECT_EQ(List(u"SELECT sum(qty) FROM ITEMS.TXT"_s), QStringList{u"13"_s});
    EXPECT_EQ(List(u"SELECT 名称 FROM [客户#csv] ORDER BY id"_s),
              (QStringList{u"华东"_s, u"华\n北"_s}));
    EXPECT_EQ(List(u"SELECT count(1) FROM 客户.csv C, [items.txt] I WHERE C.id = 1"_s),
              QStringList{u"2"_s});
    QString value;
    EXPECT_TRUE(session.IsFind(u"SELECT name FROM items#txt WHERE code='B'"_s, value));
    EXPECT_EQ(value, u"说 \"好\""_s);
}

TEST_F(TextSession, ReloadsAFileThatChanged)
{
    EXPECT_EQ(List(u"SELECT count(1) FROM [items.txt]"_s), QStringList{u"2"_s});
    Write(u"items.txt"_s, "code,name,qty\nC,x,1\nD,y,2\nE,z,3\n");
    QFile file(home.file(u"items.txt"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
    file.close();
    EXPECT_EQ(List(u"SELECT code FROM [items.txt] ORDER BY code"_s),
              (QStringList{u"C"_s, u"D"_s, u"E"_s}));
    ASSERT_TRUE(QFile::remove(home.file(u"items.txt"_s)));
    QStringList list;
    EXPECT_EQ(session.QueryList(u"SELECT code FROM [items.txt]"_s, list), -1);
}

TEST_F(TextSession, InsertAppendsLinesInTheFilesOwnEncoding)
{
    ASSERT_TRUE(
        session.Execute(u"INSERT INTO [items.txt](code,name,qty) VALUES('C','带,逗号',7)"_s))
        << session.errorDetail.toStdString();
    EXPECT_TRUE(Read(u"items.txt"_s).endsWith(u"\r\nC,\"带,逗号\",7\r\n"_s.toUtf8()));
    EXPECT_EQ(List(u"SELECT name FROM [items.txt] WHERE code='C'"_s), QStringList{u"带,逗号"_s});

    EXPECT_TRUE(session.InsertRecord(u"SELECT * FROM [客户.csv] WHERE id=3"_s, {u"id"_s, u"名称"_s},
                                     {u"3"_s, u"西南"_s}))
        << session.errorDetail.toStdString();
    EXPECT_TRUE(Read(u"客户.csv"_s).endsWith(ToGb18030(u"\n3,西南\n"_s)));
    EXPECT_FALSE(session.InsertRecord(u"SELECT * FROM [客户.csv] WHERE id=3"_s,
                                      {u"id"_s, u"名称"_s}, {u"3"_s, u"again"_s}));
    TextTable table;
    QString error;
    ASSERT_TRUE(ReadTextTable(home.file(u"客户.csv"_s), table, error));
    EXPECT_EQ(table.rows.size(), 3);
}

TEST_F(TextSession, RefusesToChangeOrDeleteRows)
{
    for (const QString& sql : {u"UPDATE [items.txt] SET qty=1"_s, u"DELETE FROM items#txt"_s,
                               u"DROP TABLE [items.txt]"_s}) {
        SCOPED_TRACE(sql.toStdString());
        EXPECT_FALSE(session.Execute(sql));
        EXPECT_EQ(session.errorText, u"执行操作出错"_s + sql);
        EXPECT_TRUE(session.errorDetail.contains(u"items.txt"_s));
    }
    EXPECT_FALSE(
        session.Update(u"SELECT * FROM [items.txt] WHERE code='A'"_s, {u"qty"_s}, {u"1"_s}));
    EXPECT_EQ(List(u"SELECT qty FROM [items.txt] ORDER BY code"_s), (QStringList{u"10"_s, u"3"_s}));
}

TEST(TextTableFile, ParsesQuotedFieldsAndNamesEveryColumn)
{
    const QList<QStringList> records = ParseCsv(u"a, \"b,c\" ,\"d\"\"e\"\n\n,\"\",x\r\n"_s);
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0], (QStringList{u"a"_s, u"b,c "_s, u"d\"e"_s}));
    EXPECT_EQ(records[1], (QStringList{QString(), u""_s, u"x"_s}));
    EXPECT_TRUE(records[1][0].isNull());
    EXPECT_FALSE(records[1][1].isNull());
    EXPECT_EQ(CsvLine({u"a"_s, u"b,c"_s, u"q\""_s, u" pad"_s, QString()}),
              u"a,\"b,c\",\"q\"\"\",\" pad\","_s);

    test::ScopedHome home;
    ASSERT_TRUE(WriteFileBytes(home.file(u"t.txt"_s), "a,,a\n1,2,3"));
    TextTable table;
    QString error;
    ASSERT_TRUE(ReadTextTable(home.file(u"t.txt"_s), table, error));
    EXPECT_EQ(table.columns, (QStringList{u"a"_s, u"F2"_s, u"a_2"_s}));
    EXPECT_FALSE(table.endsWithNewline);
    ASSERT_TRUE(
        AppendTextTableRows(home.file(u"t.txt"_s), table, {{u"4"_s, u"5"_s, u"6"_s}}, error));
    QByteArray bytes;
    ReadFileBytes(home.file(u"t.txt"_s), bytes);
    EXPECT_EQ(bytes, QByteArray("a,,a\n1,2,3\n4,5,6\n"));
}

} // namespace
} // namespace zk
