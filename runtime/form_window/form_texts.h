#pragma once

#include <QString>

// The form window's own texts and statements.

namespace zk {

namespace texts {
inline const QString kTextEngineFailed = QStringLiteral("本地引擎加载失败,请联系管理员.");
inline const QString kOpenLogFailed = QStringLiteral("OpenDb记录日志失败");
inline const QString kNetworkFailed = QStringLiteral("网络或者服务器异常,请重试,或者检查！");
inline const QString kForbidden = QStringLiteral("亲，您无权限本次操作，请与管理员联系！");
inline const QString kGenericFailure =
    QStringLiteral("操作失败，请先检查录入数据是否规范；或者联系管理员反映问题。");
inline const QString kUnknownError = QStringLiteral("未知错误\n");
inline const QString kCaption = QStringLiteral("操作提示");
} // namespace texts

// The text session over the program folder.
QString TextSessionConnection(const QString& folder);

// The row of log_dh_open written when a form opens.
QString OpenLogStatement(const QString& menuUid, const QString& userUid, const QString& menuName,
                         const QString& userId);
// The row of log_dh_open written for a logged control action.
QString RunLogStatement(const QString& menuUid, const QString& userUid, const QString& caption,
                        const QString& controlText, const QString& userId, int definitionId);
// (button id, state) of every button right of the form for the user's group.
QString RightsStatement(const QString& menuUid, const QString& userUid);
// A row when the user's group may not run button `definitionId`.
QString ForbiddenRunStatement(const QString& menuUid, int definitionId, const QString& userUid);

// The message of a failed run: the generic text (with the error's first line
// when it has more lines) for errors that show SQL or an automation failure,
// else the upper-cased error itself.
QString FailedRunMessage(const QString& errorText);

} // namespace zk
