// Small COM objects for the tests: one interface, its IID, and an object that
// counts its live instances so a test sees leaks and double releases.
#pragma once

#include <atomic>

#include "platform/com/ComSupport.h"

// {5E1D0A10-3C2B-4B7A-9E61-2F0C1A7B9D01}
DEFINE_GUID(IID_ITestThing, 0x5E1D0A10, 0x3C2B, 0x4B7A, 0x9E, 0x61, 0x2F, 0x0C, 0x1A, 0x7B, 0x9D, 0x01);
// {5E1D0A11-3C2B-4B7A-9E61-2F0C1A7B9D01}
DEFINE_GUID(IID_ITestOther, 0x5E1D0A11, 0x3C2B, 0x4B7A, 0x9E, 0x61, 0x2F, 0x0C, 0x1A, 0x7B, 0x9D, 0x01);

struct ITestThing : public IUnknown {
    virtual int Value() = 0;

protected:
    ~ITestThing() = default;
};

struct ITestOther : public IUnknown {
    virtual int Twice() = 0;

protected:
    ~ITestOther() = default;
};

TW_INTERFACE_ID(ITestThing, IID_ITestThing);
TW_INTERFACE_ID(ITestOther, IID_ITestOther);
_COM_SMARTPTR_TYPEDEF(ITestThing, IID_ITestThing);
_COM_SMARTPTR_TYPEDEF(ITestOther, IID_ITestOther);

class TestThing : public tw::ComObject<ITestThing, ITestOther> {
public:
    static inline std::atomic<int> s_live{0};

    explicit TestThing(int value = 7) : m_value(value) { ++s_live; }
    int Value() override { return m_value; }
    int Twice() override { return 2 * m_value; }

protected:
    ~TestThing() override { --s_live; }

private:
    int m_value;
};

// An object with ITestThing only, for failed QueryInterface.
class PlainThing : public tw::ComObject<ITestThing> {
public:
    int Value() override { return 1; }
};
