#include "session/dxDBGridView.h"

#include "session/dxDBGridCalls.h"

void CdxDBGridView::DeleteSelection()
{
    dxdbgrid::Method(*this, 209);
}

void CdxDBGridView::CallMethod214()
{
    dxdbgrid::Method(*this, 214);
}

void CdxDBGridView::SaveToText(LPCTSTR lpszPath)
{
    dxdbgrid::MethodWithText(*this, 260, lpszPath);
}

void CdxDBGridView::SaveToHtml(LPCTSTR lpszPath)
{
    dxdbgrid::MethodWithText(*this, 273, lpszPath);
}

void CdxDBGridView::SaveToExcel(LPCTSTR lpszPath)
{
    dxdbgrid::MethodWithText(*this, 274, lpszPath);
}

void CdxDBGridView::SaveToXml(LPCTSTR lpszPath)
{
    dxdbgrid::MethodWithText(*this, 275, lpszPath);
}

void CdxDBGridProperty2::CallMethod2(LONG nValue)
{
    dxdbgrid::MethodWithLong(*this, 2, nValue);
}
