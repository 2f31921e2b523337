// A T-SQL data type as written: name, length (or max), precision and scale.
#pragma once

#include <cstdint>
#include <string>

namespace tw::server {

struct TypeSpec {
    static constexpr int kMax = -2;
    std::string name;    // lower case: "int", "varchar", "decimal"...
    int length = -1;     // characters or bytes as written; kMax for (max); -1 when not written
    int precision = -1;
    int scale = -1;
    // A user type (sp_addtype) stands for its base type, above; its systypes.xusertype, 0 for none.
    int userType = 0;
    bool userTypeAllowsNulls = true;

    bool IsKnown() const { return !name.empty(); }
    bool IsCharacter() const;
    bool IsUnicode() const;
    bool IsBinary() const;
    bool IsInteger() const;
    bool IsExactNumeric() const; // decimal, numeric, money, smallmoney
    bool IsApproximate() const;  // float, real
    bool IsDateTime() const;
    bool IsSupported() const;

    // The type as SQL Server spells it in scripts: "varchar(50)", "decimal(10,2)", "int".
    std::string Spelling() const;
    // Catalogue facts: systypes.xtype, storage length in bytes, precision and scale.
    int XType() const;
    int XUserType() const { return userType ? userType : name == "sysname" ? 256 : XType(); }
    int StorageLength() const;
    int Precision() const;
    int Scale() const;

    // Parses a declared type such as "nvarchar(40)" or "decimal(10, 2)"; unknown names stay as written.
    static TypeSpec FromDeclared(const std::string& declared);
};

} // namespace tw::server
