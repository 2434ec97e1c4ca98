// libFuzzer target for the help topics file: any bytes must be read or refused without reading
// outside them, and a file that is read must hold what the window relies on - every link leads
// to a topic of the file, and a topic laid out at any width keeps its words in reading order.
#include <stddef.h>
#include <stdint.h>

#include "shell/helpfile.h"

namespace {

int32_t Width(void*, const char*, int32_t length, bool bold) {
    return length * (bold ? 9 : 7);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    HelpFile file;
    if (!HelpFile_Parse(reinterpret_cast<const char*>(data), size, &file))
        return 0;
    if (file.topics.empty())
        __builtin_trap();
    for (const HelpTopic& topic : file.topics) {
        for (uint32_t context : topic.links)
            if (!HelpFile_Find(file, context))
                __builtin_trap();
        const int32_t width = size > 0 ? (int32_t)(data[0] % 200) + 1 : 50;
        const HelpLayout layout = HelpLayout_Build(topic, width, Width, nullptr);
        int32_t line = 0;
        for (const HelpPiece& piece : layout.pieces) {
            if (piece.line < line || piece.line >= layout.lineCount ||
                piece.link >= (int32_t)topic.links.size())
                __builtin_trap();
            line = piece.line;
        }
    }
    return 0;
}
