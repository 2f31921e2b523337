// T-SQL batches as people bring them: the lexer and the parser.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/server/Lexer.h"
#include "platform/server/Parser.h"
#include "platform/server/SqlError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (bool quotedIdentifiers : {true, false}) {
        try {
            const auto tokens = tw::server::Lexer(text, quotedIdentifiers).Tokenize();
            tw::server::Parser(tokens, text).ParseBatch();
        } catch (const tw::server::SqlError&) {
        }
    }
    return 0;
}
