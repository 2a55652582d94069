// Arbitrary bytes through the encoder: the first input byte picks the code
// width, the rest is the text. Whatever the encoder writes must decode back to
// exactly its input.
#include "runtime/codec/form_blob.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int width = zk::kFormBlobMinWidth + data[0] % 8;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QByteArray blob = zk::EncodeFormBlob(bytes, width);
    bool ok = false;
    if (zk::DecodeFormBlob(blob, &ok) != bytes || !ok)
        std::abort();
    return 0;
}
