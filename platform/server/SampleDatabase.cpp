#include "platform/server/SampleDatabase.h"

namespace tw::server {

std::vector<std::string> SampleDatabase::Batches()
{
    return {
        R"sql(CREATE TABLE dbo.Customers (
    CustomerID int IDENTITY(1,1) NOT NULL CONSTRAINT PK_Customers PRIMARY KEY,
    CompanyName nvarchar(40) NOT NULL,
    ContactName nvarchar(30) NULL,
    City nvarchar(15) NULL,
    Country nvarchar(15) NULL,
    Phone nvarchar(24) NULL
)
CREATE TABLE dbo.Products (
    ProductID int IDENTITY(1,1) NOT NULL CONSTRAINT PK_Products PRIMARY KEY,
    ProductName nvarchar(40) NOT NULL,
    UnitPrice money NULL CONSTRAINT DF_Products_UnitPrice DEFAULT (0)
        CONSTRAINT CK_Products_UnitPrice CHECK (UnitPrice >= 0),
    UnitsInStock smallint NULL CONSTRAINT DF_Products_UnitsInStock DEFAULT (0),
    Discontinued bit NOT NULL CONSTRAINT DF_Products_Discontinued DEFAULT (0)
)
CREATE TABLE dbo.Orders (
    OrderID int IDENTITY(1,1) NOT NULL CONSTRAINT PK_Orders PRIMARY KEY,
    CustomerID int NOT NULL CONSTRAINT FK_Orders_Customers REFERENCES dbo.Customers (CustomerID),
    OrderDate datetime NOT NULL CONSTRAINT DF_Orders_OrderDate DEFAULT (getdate()),
    ShippedDate datetime NULL,
    Freight money NULL
)
CREATE INDEX IX_Orders_CustomerID ON dbo.Orders (CustomerID)
CREATE TABLE dbo.[Order Details] (
    OrderID int NOT NULL CONSTRAINT FK_OrderDetails_Orders REFERENCES dbo.Orders (OrderID),
    ProductID int NOT NULL CONSTRAINT FK_OrderDetails_Products REFERENCES dbo.Products (ProductID),
    UnitPrice money NOT NULL,
    Quantity smallint NOT NULL CONSTRAINT CK_OrderDetails_Quantity CHECK (Quantity > 0),
    Discount real NOT NULL CONSTRAINT DF_OrderDetails_Discount DEFAULT (0),
    CONSTRAINT PK_Order_Details PRIMARY KEY (OrderID, ProductID)
)
CREATE INDEX IX_OrderDetails_ProductID ON dbo.[Order Details] (ProductID))sql",

        R"sql(SET NOCOUNT ON
DECLARE @i int, @city nvarchar(15), @country nvarchar(15)
SET @i = 1
WHILE @i <= 60
BEGIN
    SET @city = CASE @i % 6 WHEN 0 THEN 'Berlin' WHEN 1 THEN 'London' WHEN 2 THEN 'Madrid'
                            WHEN 3 THEN 'Lyon' WHEN 4 THEN 'Seattle' ELSE 'Oslo' END
    SET @country = CASE @i % 6 WHEN 0 THEN 'Germany' WHEN 1 THEN 'UK' WHEN 2 THEN 'Spain'
                               WHEN 3 THEN 'France' WHEN 4 THEN 'USA' ELSE 'Norway' END
    INSERT INTO dbo.Customers (CompanyName, ContactName, City, Country, Phone)
    VALUES ('Company ' + CAST(@i AS nvarchar(10)), 'Contact ' + CAST(@i AS nvarchar(10)), @city, @country,
            '(555) ' + RIGHT('000' + CAST(@i * 37 % 1000 AS varchar(3)), 3) + '-0' + CAST(@i % 10 AS varchar(1)))
    SET @i = @i + 1
END
SET @i = 1
WHILE @i <= 40
BEGIN
    INSERT INTO dbo.Products (ProductName, UnitPrice, UnitsInStock, Discontinued)
    VALUES ('Product ' + CAST(@i AS nvarchar(10)), (@i * 7 % 50) + 2.5, @i * 13 % 120, CASE WHEN @i % 9 = 0 THEN 1 ELSE 0 END)
    SET @i = @i + 1
END
SET @i = 1
WHILE @i <= 200
BEGIN
    INSERT INTO dbo.Orders (CustomerID, OrderDate, ShippedDate, Freight)
    VALUES (@i * 7 % 60 + 1, DATEADD(day, @i * 3, '20240101'),
            CASE WHEN @i % 10 = 0 THEN NULL ELSE DATEADD(day, @i * 3 + 4, '20240101') END, (@i * 13 % 200) + 0.75)
    INSERT INTO dbo.[Order Details] (OrderID, ProductID, UnitPrice, Quantity, Discount)
    VALUES (@i, @i * 3 % 40 + 1, (@i * 3 % 40 + 1) * 7 % 50 + 2.5, @i % 12 + 1, 0)
    INSERT INTO dbo.[Order Details] (OrderID, ProductID, UnitPrice, Quantity, Discount)
    VALUES (@i, (@i * 3 + 11) % 40 + 1, ((@i * 3 + 11) % 40 + 1) * 7 % 50 + 2.5, @i % 7 + 1, 0.05)
    SET @i = @i + 1
END)sql",

        R"sql(CREATE VIEW dbo.OrderTotals
AS
SELECT o.OrderID, o.CustomerID, o.OrderDate, SUM(d.UnitPrice * d.Quantity * (1 - d.Discount)) AS Total
FROM dbo.Orders AS o JOIN dbo.[Order Details] AS d ON d.OrderID = o.OrderID
GROUP BY o.OrderID, o.CustomerID, o.OrderDate)sql",

        R"sql(CREATE PROCEDURE dbo.usp_CustomerOrders
    @CustomerID int,
    @OrderCount int OUTPUT
AS
-- The orders of one customer; the count comes back as OUTPUT and as the RETURN value.
SELECT OrderID, OrderDate, ShippedDate, Freight
FROM dbo.Orders
WHERE CustomerID = @CustomerID
ORDER BY OrderDate
SELECT @OrderCount = COUNT(*) FROM dbo.Orders WHERE CustomerID = @CustomerID
RETURN @OrderCount)sql",

        R"sql(CREATE FUNCTION dbo.fn_LineTotal (@UnitPrice money, @Quantity smallint, @Discount real)
RETURNS money
AS
BEGIN
    RETURN @UnitPrice * @Quantity * (1 - @Discount)
END)sql",

        R"sql(CREATE TRIGGER dbo.trg_Products_NoNegativeStock ON dbo.Products
FOR UPDATE
AS
IF EXISTS (SELECT * FROM inserted WHERE UnitsInStock < 0)
BEGIN
    RAISERROR ('Units in stock cannot go below zero.', 16, 1)
    ROLLBACK TRANSACTION
END)sql",

        R"sql(EXEC sp_addextendedproperty 'MS_Description', 'Customers who place orders.', 'user', 'dbo', 'table', 'Customers'
EXEC sp_addextendedproperty 'MS_Description', 'Name of the customer''s company.', 'user', 'dbo', 'table', 'Customers', 'column', 'CompanyName'
EXEC sp_addextendedproperty 'MS_Description', 'Orders and their shipping dates.', 'user', 'dbo', 'table', 'Orders')sql",
    };
}

} // namespace tw::server
