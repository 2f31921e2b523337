// What the object tree's commands read from the selected node and how they
// write its names into statements.
#pragma once

#include <functional>

#include "explorer/ObjectTreeNodes.h"
#include "platform/com/ComVariant.h"
#include "platform/mfc/CTreeCtrl.h"

// The selected object node, its folder and its database.
struct CObjectCommandNode {
    BOOL bValid = FALSE;
    CString strDatabase;
    CString strFolder;
    CString strObject;  // "owner.name" as the tree shows it
    CString strOwner;
    CString strName;

    // owner.name as T-SQL writes it: each part bracketed only when it needs it.
    CString SqlName() const;
    // "use <database>;" and a line break.
    CString UseLine() const;
    // The object for a procedure that takes a name: bare for dbo's objects,
    // owner-qualified otherwise.
    CString OwnedArgument() const;
    // The owner and name as the server-management collections look them up.
    _variant_t ItemName() const;
    _variant_t ItemOwner() const;
};

CObjectCommandNode ReadObjectCommandNode(const CTreeCtrl& tree);

// Runs a command's body: a COM error shows its description once, anything
// else the feedback request.
void RunObjectCommand(const std::function<void()>& body);
