#pragma once

#include <QString>

namespace zk {

// The program's own reversible character shift. Each character moves by a
// running term (growing by 3 x key per character, taken mod 7) less the
// text's length mod 20; UnscrambleText undoes ScrambleText for the same
// key. Callers pass key 1. The login digests a scrambled password, and the
// connection string of the form sessions is stored scrambled in cfg.ini, so
// the shift must never change. Arithmetic is on 16-bit code units, wrapping.
QString ScrambleText(const QString& text, int key);
QString UnscrambleText(const QString& text, int key);

} // namespace zk
