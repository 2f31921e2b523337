// Login passwords as master keeps them: a random salt and an iterated
// SHA-256 of salt and password, never the password itself.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tw::server {

class PasswordHash {
public:
    using Digest = std::array<uint8_t, 32>;

    static Digest Sha256(const std::string& bytes);
    // The stored form (salt followed by digest, in hex) of a password, with a fresh salt.
    static std::string Make(const std::string& password);
    // Whether `password` is the one `storedHex` was made from.
    static bool Matches(const std::string& storedHex, const std::string& password);

private:
    static std::string Derive(const std::string& salt, const std::string& password);
};

} // namespace tw::server
