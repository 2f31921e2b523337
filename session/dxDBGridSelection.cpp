#include "session/dxDBGridSelection.h"

#include "session/dxDBGridCalls.h"

LONG CdxDBGridNode::GetProperty17()
{
    return dxdbgrid::LongProperty(*this, 17);
}

CString CdxDBGridNode::GetCellText(LONG nColumn)
{
    static const BYTE params[] = VTS_I4;
    CString result;
    InvokeHelper(27, DISPATCH_PROPERTYGET, VT_BSTR, &result, params, nColumn);
    return result;
}

LONG CdxDBGridSelection::GetCount()
{
    return dxdbgrid::LongProperty(*this, 125);
}

CdxDBGridNode CdxDBGridSelection::GetItem(LONG nIndex)
{
    return dxdbgrid::ObjectItem<CdxDBGridNode>(*this, 126, nIndex);
}

CdxDBGridNode CdxDBGridSelection::GetProperty135()
{
    return dxdbgrid::ObjectProperty<CdxDBGridNode>(*this, 135);
}
