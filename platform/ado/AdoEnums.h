// The data-access object model's enumerations and error codes, with the
// platform's numbers, since callers and stored files pass them as integers.
#pragma once

#include "platform/win32/winerror.h"

namespace ADODB {

enum CursorTypeEnum {
    adOpenUnspecified = -1,
    adOpenForwardOnly = 0,
    adOpenKeyset = 1,
    adOpenDynamic = 2,
    adOpenStatic = 3
};

enum LockTypeEnum {
    adLockUnspecified = -1,
    adLockReadOnly = 1,
    adLockPessimistic = 2,
    adLockOptimistic = 3,
    adLockBatchOptimistic = 4
};

enum CommandTypeEnum {
    adCmdUnspecified = -1,
    adCmdText = 1,
    adCmdTable = 2,
    adCmdStoredProc = 4,
    adCmdUnknown = 8,
    adCmdFile = 256,
    adCmdTableDirect = 512
};

enum ExecuteOptionEnum {
    adOptionUnspecified = -1,
    adAsyncExecute = 0x10,
    adAsyncFetch = 0x20,
    adAsyncFetchNonBlocking = 0x40,
    adExecuteNoRecords = 0x80,
    adExecuteStream = 0x400
};

enum ConnectOptionEnum { adConnectUnspecified = -1, adAsyncConnect = 0x10 };

enum ObjectStateEnum {
    adStateClosed = 0,
    adStateOpen = 1,
    adStateConnecting = 2,
    adStateExecuting = 4,
    adStateFetching = 8
};

enum EventStatusEnum {
    adStatusOK = 1,
    adStatusErrorsOccurred = 2,
    adStatusCantDeny = 3,
    adStatusCancel = 4,
    adStatusUnwantedEvent = 5
};

enum CursorLocationEnum { adUseNone = 1, adUseServer = 2, adUseClient = 3 };

enum DataTypeEnum {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBSTR = 8,
    adIDispatch = 9,
    adError = 10,
    adBoolean = 11,
    adVariant = 12,
    adIUnknown = 13,
    adDecimal = 14,
    adTinyInt = 16,
    adUnsignedTinyInt = 17,
    adUnsignedSmallInt = 18,
    adUnsignedInt = 19,
    adBigInt = 20,
    adUnsignedBigInt = 21,
    adFileTime = 64,
    adGUID = 72,
    adBinary = 128,
    adChar = 129,
    adWChar = 130,
    adNumeric = 131,
    adUserDefined = 132,
    adDBDate = 133,
    adDBTime = 134,
    adDBTimeStamp = 135,
    adChapter = 136,
    adPropVariant = 138,
    adVarNumeric = 139,
    adVarChar = 200,
    adLongVarChar = 201,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adVarBinary = 204,
    adLongVarBinary = 205
};

enum FieldAttributeEnum {
    adFldUnspecified = -1,
    adFldMayDefer = 0x2,
    adFldUpdatable = 0x4,
    adFldUnknownUpdatable = 0x8,
    adFldFixed = 0x10,
    adFldIsNullable = 0x20,
    adFldMayBeNull = 0x40,
    adFldLong = 0x80,
    adFldRowID = 0x100,
    adFldRowVersion = 0x200,
    adFldCacheDeferred = 0x1000,
    adFldIsChapter = 0x2000,
    adFldNegativeScale = 0x4000,
    adFldKeyColumn = 0x8000
};

enum PersistFormatEnum { adPersistADTG = 0, adPersistXML = 1 };

enum SchemaEnum {
    adSchemaCatalogs = 1,
    adSchemaColumns = 4,
    adSchemaTables = 20
};

enum AffectEnum { adAffectCurrent = 1, adAffectGroup = 2, adAffectAll = 3, adAffectAllChapters = 4 };

enum ResyncEnum { adResyncUnderlyingValues = 1, adResyncAllValues = 2 };

enum BookmarkEnum { adBookmarkCurrent = 0, adBookmarkFirst = 1, adBookmarkLast = 2 };

enum PositionEnum { adPosUnknown = -1, adPosBOF = -2, adPosEOF = -3 };

enum EditModeEnum { adEditNone = 0, adEditInProgress = 1, adEditAdd = 2, adEditDelete = 4 };

enum CursorOptionEnum {
    adHoldRecords = 0x100,
    adMovePrevious = 0x200,
    adBookmark = 0x2000,
    adApproxPosition = 0x4000,
    adUpdateBatch = 0x10000,
    adResync = 0x20000,
    adNotify = 0x40000,
    adFind = 0x80000,
    adSeek = 0x400000,
    adIndex = 0x800000,
    adAddNew = 0x1000400,
    adDelete = 0x1000800,
    adUpdate = 0x1008000
};

enum ParameterDirectionEnum {
    adParamUnknown = 0,
    adParamInput = 1,
    adParamOutput = 2,
    adParamInputOutput = 3,
    adParamReturnValue = 4
};

enum PropertyAttributesEnum {
    adPropNotSupported = 0,
    adPropRequired = 1,
    adPropOptional = 2,
    adPropRead = 0x200,
    adPropWrite = 0x400
};

// The object model's own failures (facility 0x0A, code = the error number).
enum ErrorValueEnum : long {
    adErrInvalidArgument = 3001,
    adErrNoCurrentRecord = 3021,
    adErrIllegalOperation = 3219,
    adErrFeatureNotAvailable = 3251,
    adErrItemNotFound = 3265,
    adErrDataConversion = 3421,
    adErrObjectClosed = 3704,
    adErrObjectOpen = 3705,
    adErrProviderNotFound = 3706,
    adErrInvalidConnection = 3709,
    adErrStillExecuting = 3711,
    adErrOperationCancelled = 3712
};

} // namespace ADODB

namespace tw::ado {

// The HRESULT the object model raises for one of its own error numbers.
constexpr HRESULT AdoHresult(long errorNumber)
{
    return static_cast<HRESULT>(0x800A0000u | static_cast<unsigned>(errorNumber));
}

// The providers' failures, as their callers test them.
constexpr HRESULT kErrorsInCommand = static_cast<HRESULT>(0x80040E14u);
constexpr HRESULT kAuthenticationFailed = static_cast<HRESULT>(0x80040E4Du);
constexpr HRESULT kCanceled = static_cast<HRESULT>(0x80040E4Eu);
constexpr HRESULT kTimeoutExpired = static_cast<HRESULT>(0x80040E31u);
constexpr HRESULT kProviderFailure = static_cast<HRESULT>(0x80004005u);

} // namespace tw::ado
