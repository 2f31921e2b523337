// The binary values the library stores, as hexadecimal text ("01 00 26 80"),
// for tests that check stored bytes or plant damaged ones.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace ktvtest {

// The value's bytes as "xx xx ..."; nothing when the key or value is missing.
std::optional<std::string> StoredHex(const char* key, const char* value);
// Creates the key and writes the bytes given as hexadecimal text.
void StoreHex(const char* key, const char* value, const std::string& hex);
// Removes the key with everything below it.
void ForgetKey(const char* key);

// A test of what the library stores under one key: the UI is prepared and
// the key starts empty.
class StoredStateTest : public testing::Test {
protected:
    void SetUp() override;
    virtual const char* StateKey() const = 0;
};

}  // namespace ktvtest
