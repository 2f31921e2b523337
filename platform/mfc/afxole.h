// The framework's OLE glue in one include: data transfer by dragging and
// through the clipboard, automation objects by dispatch id, hosted controls
// and their event sink maps.
#pragma once

#include "platform/mfc/COleDataObject.h"
#include "platform/mfc/COleDataSource.h"
#include "platform/mfc/COleDispatchDriver.h"
#include "platform/mfc/COleDropSource.h"
#include "platform/mfc/COleDropTarget.h"
#include "platform/mfc/COleException.h"
#include "platform/mfc/OleEventSink.h"
#include "platform/mfc/afxwin.h"

// OLE for the calling thread; FALSE when it cannot be started.
BOOL AfxOleInit();
// Lets windows host controls and handle their events (event sink maps).
void AfxEnableControlContainer();
