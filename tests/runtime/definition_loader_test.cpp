#include "data/schema/company_init.h"
#include "data/session/db_session.h"
#include "runtime/codec/form_blob.h"
#include "runtime/definition/form_loader.h"
#include "tests/data/session_test_env.h"
#include "tests/forms/definition_printers.h"

#include <gtest/gtest.h>

#include <memory>

namespace zk {
namespace {

// Stored definitions in a real SQLite company database.
class FormLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        session.SetConnectionString(database.connection());
        ASSERT_TRUE(session.Open()) << session.errorText.toStdString();
        QString message;
        ASSERT_TRUE(InitCompanyDatabase(session, {QStringLiteral("测试公司")}, message))
            << message.toStdString();
        ASSERT_TRUE(session.RunScript(
            QStringLiteral("INSERT INTO c_menu_dh(uid_0,name_0) VALUES(12,'订单');"
                           "INSERT INTO c_menu_dh(uid_0,name_0) VALUES(13,'空');"
                           "INSERT INTO c_menu_dh_m(uid_0,name_0) VALUES(12,'弹出');")));
    }

    void Store(const char* table, int uid, const QByteArray& blob)
    {
        ASSERT_TRUE(
            session.UpdateBinaryRecord(QStringLiteral("SELECT form_0 FROM %1 WHERE uid_0=%2")
                                           .arg(QLatin1StringView(table))
                                           .arg(uid),
                                       {QStringLiteral("form_0")}, {blob}))
            << session.errorText.toStdString();
    }

    test::ScratchDatabase database{test::Engine::SQLite};
    CDbSession session;
    FormCache cache;
};

TEST_F(FormLoaderTest, KindOneIsCachedKindTwoIsReadEveryTime)
{
    Store("c_menu_dh", 12, EncodeFormText(QStringLiteral("<html id='0'>订单</html>")));
    Store("c_menu_dh_m", 12, EncodeFormText(QStringLiteral("<html id='0'>弹出</html>")));
    QString out;
    ASSERT_EQ(LoadFormDefinition(session, out, QStringLiteral("12"), 1, cache), 1);
    EXPECT_EQ(out, QStringLiteral("<html id='0'>订单</html>"));
    EXPECT_TRUE(cache.Contains(QStringLiteral("12")));
    QString popup;
    ASSERT_EQ(LoadFormDefinition(session, popup, QStringLiteral("12"), 2, cache), 1);
    EXPECT_EQ(popup, QStringLiteral("<html id='0'>弹出</html>"));

    // A changed row shows whether the loader asked the database again.
    Store("c_menu_dh", 12, EncodeFormText(QStringLiteral("<html id='0'>新</html>")));
    Store("c_menu_dh_m", 12, EncodeFormText(QStringLiteral("<html id='0'>新弹出</html>")));
    QString again;
    ASSERT_EQ(LoadFormDefinition(session, again, QStringLiteral("12"), 1, cache), 1);
    EXPECT_EQ(again, out) << "kind 1 comes from the cache";
    popup.clear();
    ASSERT_EQ(LoadFormDefinition(session, popup, QStringLiteral("12"), 2, cache), 1);
    EXPECT_EQ(popup, QStringLiteral("<html id='0'>新弹出</html>")) << "kind 2 is queried again";
    EXPECT_EQ(cache.size(), 1);

    QString given = QStringLiteral("<html id='5'/>");
    EXPECT_EQ(LoadFormDefinition(session, given, QStringLiteral("99"), 1, cache), 1)
        << "kind 1 with a text already given";
    EXPECT_EQ(given, QStringLiteral("<html id='5'/>"));
}

TEST_F(FormLoaderTest, MissingEmptyDamagedAndUnsafe)
{
    QString out;
    EXPECT_EQ(LoadFormDefinition(session, out, QStringLiteral("77"), 1, cache), 0);
    EXPECT_EQ(out, QString::fromUtf16(kEmptyFormDefinition));
    out.clear();
    EXPECT_EQ(LoadFormDefinition(session, out, QStringLiteral("13"), 1, cache), -1)
        << "empty value";
    EXPECT_TRUE(out.isEmpty());
    EXPECT_FALSE(cache.Contains(QStringLiteral("13")));

    Store("c_menu_dh", 13, QByteArray("\x10\x00\x00\x00\x0c\x41", 6));
    EXPECT_EQ(LoadFormDefinition(session, out, QStringLiteral("13"), 1, cache), -1);
    EXPECT_FALSE(session.errorText.isEmpty()) << "the decoder's reason";

    // A text that is no number never reaches the statement.
    EXPECT_EQ(LoadFormDefinition(session, out, QStringLiteral("12 OR 1=1"), 2, cache), 0);
    EXPECT_EQ(out, QString::fromUtf16(kEmptyFormDefinition));
    EXPECT_EQ(LoadFormDefinition(session, out, QStringLiteral("12"), 3, cache), 0);

    // A NUL ends the text, and at most N / 2 characters are taken.
    Store("c_menu_dh_m", 12, EncodeFormText(QStringLiteral("<html id='0'/>") + QChar(0) + "rest"));
    out.clear();
    ASSERT_EQ(LoadFormDefinition(session, out, QStringLiteral("12"), 2, cache), 1);
    EXPECT_EQ(out, QStringLiteral("<html id='0'/>"));
}

} // namespace
} // namespace zk
