// Prints how long the translator takes over a 1,000-term expression of each
// kind of chain (sums, ORs, concatenations, nested parentheses), against
// lexing the same text, the raw baseline. Run by hand: bench_server_expression [terms]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/server/Lexer.h"
#include "platform/server/Translator.h"

using namespace tw::server;

namespace {

double Millis(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

std::string Chain(const std::string& term, const std::string& op, int terms)
{
    std::string text = term;
    for (int i = 1; i < terms; ++i)
        text += " " + op + " " + term;
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    const int terms = argc > 1 ? std::atoi(argv[1]) : 1000;
    const std::pair<const char*, std::string> texts[] = {
        {"sum", Chain("1", "+", terms)},
        {"or", Chain("a = 1", "OR", terms)},
        {"concatenation", Chain("'x'", "+", terms)},
        {"mixed", Chain("c + 'x' - 2", "+", terms / 3)},
        {"parentheses (190 deep)", std::string(190, '(') + Chain("1", "*", terms) + std::string(190, ')')},
    };
    const int runs = 50;
    double lexTotal = 0, translateTotal = 0;
    for (const auto& [name, text] : texts) {
        auto start = std::chrono::steady_clock::now();
        std::vector<Token> tokens;
        for (int i = 0; i < runs; ++i)
            tokens = Lexer(text, true).Tokenize();
        const double lex = Millis(start) / runs;
        start = std::chrono::steady_clock::now();
        size_t bytes = 0;
        for (int i = 0; i < runs; ++i)
            bytes = Translator(tokens, text, nullptr).Expression(0).sql.size();
        const double translate = Millis(start) / runs;
        std::printf("%-24s %5d terms: translated in %7.3f ms (lexed in %6.3f ms), %zu bytes of SQLite text\n", name,
                    terms, translate, lex, bytes);
        lexTotal += lex;
        translateTotal += translate;
    }
    std::printf("ratio translate/lex:      %.2f\n", translateTotal / lexTotal);
    return 0;
}
