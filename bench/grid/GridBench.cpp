// Appends 1,000,000 rows of five text columns to a grid window, then pages it
// from the top to the bottom, repainting each page, and prints the time per
// row, the bytes per row and the time per repaint.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/com/ClassRegistry.h"
#include "platform/com/ConnectionPoints.h"
#include "platform/com/DispatchInvoke.h"
#include "platform/com/SafeArray.h"
#include "platform/controls/grid/GridAutomation.h"
#include "platform/controls/grid/GridView.h"

namespace {

using BenchClock = std::chrono::steady_clock;

double MillisecondsSince(BenchClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(BenchClock::now() - start).count();
}

// The program's own road: one AppendRecord call per row through IDispatch, each
// with a new array of string values.
double DispatchAppendNsPerRow(int rows, int fields)
{
    tw::grid::RegisterClasses();
    IDispatch* created = nullptr;
    if (FAILED(CoCreateInstance(CLSID_DataGrid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&created))))
        return -1;
    IDispatchPtr grid(created, false);
    const _variant_t datasetValue = tw::com::InvokeOrRaise(grid, 19, DISPATCH_PROPERTYGET);
    IDispatch* dataset = datasetValue.pdispVal;
    const _variant_t defsValue = tw::com::InvokeOrRaise(dataset, 1060, DISPATCH_PROPERTYGET);
    for (int f = 0; f < fields; ++f)
        tw::com::InvokeOrRaise(defsValue.pdispVal, 1201, DISPATCH_METHOD,
                               {("Field" + std::to_string(f)).c_str(), 3, 32});
    tw::com::InvokeOrRaise(dataset, 1028, DISPATCH_METHOD);
    tw::com::InvokeOrRaise(dataset, 1012, DISPATCH_METHOD);
    char text[48];
    const auto start = BenchClock::now();
    for (int r = 0; r < rows; ++r) {
        _variant_t record;
        record.vt = VT_ARRAY | VT_VARIANT;
        record.parray = SafeArrayCreateVector(VT_VARIANT, 0, ULONG(fields));
        for (LONG f = 0; f < fields; ++f) {
            std::snprintf(text, sizeof text, "row %d field %d", r, int(f));
            _variant_t value(text);
            SafeArrayPutElement(record.parray, &f, &value);
        }
        tw::com::InvokeOrRaise(dataset, 1025, DISPATCH_METHOD, {record});
    }
    tw::com::InvokeOrRaise(dataset, 1030, DISPATCH_METHOD);
    return MillisecondsSince(start) * 1e6 / rows;
}

// A container that takes every event and does nothing with it: what is left
// is the grid's own cost of raising custom draw for each cell it paints.
class IdleSink final : public tw::ComObject<IDispatch> {
public:
    HRESULT GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        ++events;
        return S_OK;
    }
    long events = 0;

protected:
    void* FindInterface(REFIID riid) override
    {
        if (IsEqualIID(riid, DIID_DataGridEvents))
            return static_cast<IDispatch*>(this);
        return ComObject<IDispatch>::FindInterface(riid);
    }
};

// Repaints of a hosted grid whose container listens to its events, as the
// process monitor's does for custom draw.
double CustomDrawRepaintMs(int rows, int fields, int pages, long& events)
{
    IDispatch* created = nullptr;
    if (FAILED(CoCreateInstance(CLSID_DataGrid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&created))))
        return -1;
    IDispatchPtr control(created, false);
    auto* grid = dynamic_cast<tw::grid::GridControlObject*>(created);
    tw::grid::GridModel& model = *grid->Model();
    for (int f = 0; f < fields; ++f) {
        const std::string name = "Field" + std::to_string(f);
        model.Dataset().AddField({name, tw::grid::FieldType::String, 32});
        tw::grid::GridColumn column;
        column.name = column.caption = column.fieldName = name;
        model.Columns().Add(column);
    }
    model.Open();
    char text[48];
    for (int r = 0; r < rows; ++r) {
        std::snprintf(text, sizeof text, "row %d", r);
        model.Dataset().Append({text, text, text, text, text});
    }
    HWND hwnd = grid->CreateGridWindow(nullptr, RECT{0, 0, 640, 480}, 1, WS_OVERLAPPEDWINDOW | WS_VISIBLE, "Grid");
    auto* sink = new IdleSink;
    DWORD cookie = 0;
    tw::com::Advise(control, sink->GetUnknown(), DIID_DataGridEvents, &cookie);
    tw::grid::GridView* view = tw::grid::GridView::FromHandle(hwnd);
    const auto start = BenchClock::now();
    for (int i = 0; i <= pages; ++i) {
        view->SetTopRow(int(int64_t(rows) * i / pages));
        UpdateWindow(hwnd);
    }
    const double ms = MillisecondsSince(start) / (pages + 1);
    events = sink->events;
    tw::com::Unadvise(control, DIID_DataGridEvents, cookie);
    sink->Release();
    return ms;
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("TARNWICK_DISPLAY", "headless", 0);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    constexpr int kFields = 5;

    tw::grid::GridView::RegisterWindowClass();
    HWND hwnd = CreateWindowEx(0, tw::grid::GridView::kClassName, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_VSCROLL,
                               0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
    tw::grid::GridView* grid = tw::grid::GridView::FromHandle(hwnd);
    if (!grid) {
        std::fprintf(stderr, "cannot create the grid window\n");
        return 1;
    }
    for (int f = 0; f < kFields; ++f) {
        const std::string name = "Field" + std::to_string(f);
        grid->Dataset().AddField({name, tw::grid::FieldType::String, 32});
        tw::grid::GridColumn* column = grid->Columns().Item(grid->Columns().Add());
        column->fieldName = name;
        column->caption = name;
    }

    char texts[kFields][48];
    const auto appendStart = BenchClock::now();
    grid->DisableControls();
    for (int r = 0; r < rows; ++r) {
        for (int f = 0; f < kFields; ++f)
            std::snprintf(texts[f], sizeof texts[f], "row %d field %d", r, f);
        grid->Dataset().Append({texts[0], texts[1], texts[2], texts[3], texts[4]});
    }
    grid->EnableControls();
    const double appendMs = MillisecondsSince(appendStart);

    // Paging through every row would take as many repaints as pages; a sample of
    // pages spread from top to bottom measures the same work per repaint.
    const int pages = 2000;
    const auto scrollStart = BenchClock::now();
    for (int i = 0; i <= pages; ++i) {
        grid->SetTopRow(int(int64_t(rows) * i / pages));
        UpdateWindow(hwnd);
    }
    const double scrollMs = MillisecondsSince(scrollStart);

    std::printf("rows appended:        %d\n", rows);
    std::printf("append time per row:  %.1f ns\n", appendMs * 1e6 / rows);
    std::printf("bytes per row:        %.1f\n", double(grid->Dataset().BytesUsed()) / rows);
    std::printf("repaints:             %d (top row %d at the end)\n", pages + 1, grid->TopRow());
    std::printf("time per repaint:     %.3f ms\n", scrollMs / (pages + 1));
    DestroyWindow(hwnd);
    std::printf("append by dispatch:   %.1f ns per row\n", DispatchAppendNsPerRow(rows, kFields));
    long events = 0;
    const double customDrawMs = CustomDrawRepaintMs(10000, kFields, 200, events);
    std::printf("repaint, custom draw: %.3f ms (%ld events)\n", customDrawMs, events);
    return 0;
}
