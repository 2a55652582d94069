#pragma once

#include "runtime/definition/form_cache.h"

#include <QString>

namespace zk {

class CDbSession;

// What a menu item shows when nothing is stored for it.
inline constexpr char16_t kEmptyFormDefinition[] = u"<html version='1.0' id='0'></html>";

// The definition of menu uid `uid`: kind 1 from c_menu_dh (cached in
// `cache`), kind 2 from c_menu_dh_m (never cached), read as binary form_0
// and decoded. Kind 1 answers from the cache, or at once when `out` already
// holds a text.
//
//   1  `out` holds the definition;
//   0  there is no such row (or the uid is no number, or the kind neither 1
//      nor 2): `out` is the empty definition;
//  -1  nothing could be read: the stored value is empty, the query failed
//      or the blob is damaged (the reason in the session's errorText for the
//      last two); `out` is left alone.
int LoadFormDefinition(CDbSession& session, QString& out, const QString& uid, int kind,
                       FormCache& cache);

} // namespace zk
