#include "platform/server/PasswordHash.h"

#include <random>

namespace tw::server {

namespace password_detail {

constexpr size_t kSaltBytes = 16;
// Enough rounds that a stolen master file does not give up passwords cheaply.
constexpr int kRounds = 4096;

constexpr uint32_t kRoundConstants[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

uint32_t Rotate(uint32_t x, int n)
{
    return (x >> n) | (x << (32 - n));
}

void Compress(uint32_t state[8], const uint8_t block[64])
{
    uint32_t w[64];
    for (int i = 0; i < 16; ++i)
        w[i] = uint32_t{block[i * 4]} << 24 | uint32_t{block[i * 4 + 1]} << 16 | uint32_t{block[i * 4 + 2]} << 8 |
               uint32_t{block[i * 4 + 3]};
    for (int i = 16; i < 64; ++i) {
        const uint32_t s0 = Rotate(w[i - 15], 7) ^ Rotate(w[i - 15], 18) ^ (w[i - 15] >> 3);
        const uint32_t s1 = Rotate(w[i - 2], 17) ^ Rotate(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    uint32_t e = state[4], f = state[5], g = state[6], h = state[7];
    for (int i = 0; i < 64; ++i) {
        const uint32_t t1 = h + (Rotate(e, 6) ^ Rotate(e, 11) ^ Rotate(e, 25)) + ((e & f) ^ (~e & g)) +
                            kRoundConstants[i] + w[i];
        const uint32_t t2 = (Rotate(a, 2) ^ Rotate(a, 13) ^ Rotate(a, 22)) + ((a & b) ^ (a & c) ^ (b & c));
        h = g;
        g = f;
        f = e;
        e = d + t1;
        d = c;
        c = b;
        b = a;
        a = t1 + t2;
    }
    state[0] += a; state[1] += b; state[2] += c; state[3] += d;
    state[4] += e; state[5] += f; state[6] += g; state[7] += h;
}

std::string ToHex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes) {
        hex.push_back(digits[c >> 4]);
        hex.push_back(digits[c & 15]);
    }
    return hex;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Empty when `hex` is not what ToHex makes.
std::string FromHex(const std::string& hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        const int high = HexDigit(hex[i]), low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0)
            return {};
        bytes.push_back(static_cast<char>(high << 4 | low));
    }
    return hex.size() % 2 ? std::string() : bytes;
}

} // namespace password_detail

PasswordHash::Digest PasswordHash::Sha256(const std::string& bytes)
{
    uint32_t state[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                         0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    std::string padded = bytes;
    padded.push_back(static_cast<char>(0x80));
    while (padded.size() % 64 != 56)
        padded.push_back('\0');
    const uint64_t bits = static_cast<uint64_t>(bytes.size()) * 8;
    for (int shift = 56; shift >= 0; shift -= 8)
        padded.push_back(static_cast<char>((bits >> shift) & 0xff));
    for (size_t at = 0; at < padded.size(); at += 64)
        password_detail::Compress(state, reinterpret_cast<const uint8_t*>(padded.data() + at));
    Digest digest{};
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 4; ++j)
            digest[i * 4 + j] = static_cast<uint8_t>(state[i] >> (24 - 8 * j));
    return digest;
}

std::string PasswordHash::Derive(const std::string& salt, const std::string& password)
{
    Digest digest = Sha256(salt + password);
    for (int round = 1; round < password_detail::kRounds; ++round)
        digest = Sha256(std::string(digest.begin(), digest.end()) + salt + password);
    return std::string(digest.begin(), digest.end());
}

std::string PasswordHash::Make(const std::string& password)
{
    std::random_device random;
    std::string salt(password_detail::kSaltBytes, '\0');
    for (char& c : salt)
        c = static_cast<char>(random() & 0xff);
    return password_detail::ToHex(salt + Derive(salt, password));
}

bool PasswordHash::Matches(const std::string& storedHex, const std::string& password)
{
    const std::string stored = password_detail::FromHex(storedHex);
    if (stored.size() != password_detail::kSaltBytes + sizeof(Digest))
        return false;
    const std::string expected = Derive(stored.substr(0, password_detail::kSaltBytes), password);
    // Compared in full whatever the first difference, so timing tells nothing.
    unsigned char difference = 0;
    for (size_t i = 0; i < expected.size(); ++i)
        difference |= static_cast<unsigned char>(expected[i] ^ stored[password_detail::kSaltBytes + i]);
    return difference == 0;
}

} // namespace tw::server
