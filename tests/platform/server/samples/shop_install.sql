/* Tarnwick Shop: a small sample database in the style of the classic
   install scripts. Tables are dropped and made again, the rows are loaded
   children first with their constraints switched off, and the constraints
   are switched back on (and checked) at the end. */
SET NOCOUNT ON
GO
IF EXISTS (SELECT * FROM sysobjects WHERE id = OBJECT_ID('dbo.Order Totals') AND OBJECTPROPERTY(id, 'IsView') = 1)
	DROP VIEW [dbo].[Order Totals]
GO
IF EXISTS (SELECT * FROM sysobjects WHERE id = OBJECT_ID('dbo.Ten Most Expensive Products') AND OBJECTPROPERTY(id, 'IsProcedure') = 1)
	DROP PROCEDURE [dbo].[Ten Most Expensive Products]
GO
if exists (select * from dbo.sysobjects where id = object_id(N'[dbo].[Order Lines]') and OBJECTPROPERTY(id, N'IsUserTable') = 1)
	drop table [dbo].[Order Lines]
GO
if exists (select * from dbo.sysobjects where id = object_id(N'[dbo].[Orders]') and OBJECTPROPERTY(id, N'IsUserTable') = 1)
	drop table [dbo].[Orders]
GO
if exists (select * from dbo.sysobjects where id = object_id(N'[dbo].[Products]') and OBJECTPROPERTY(id, N'IsUserTable') = 1)
	drop table [dbo].[Products]
GO
if exists (select * from dbo.sysobjects where id = object_id(N'[dbo].[Customers]') and OBJECTPROPERTY(id, N'IsUserTable') = 1)
	drop table [dbo].[Customers]
GO
if exists (select * from sysobjects where id = object_id(N'[dbo].[Customer Order Counts]') and OBJECTPROPERTY(id, N'IsProcedure') = 1)
	drop procedure [dbo].[Customer Order Counts]
GO
if not exists (select * from systypes where name = N'CustomerCode')
	EXEC sp_addtype N'CustomerCode', N'nchar (5)', N'not null'
GO
CREATE TABLE [dbo].[Customers] (
	[CustomerID] CustomerCode CONSTRAINT [PK_Customers] PRIMARY KEY,
	[CompanyName] nvarchar (40) NOT NULL,
	[City] nvarchar (15) NULL
)
GO
CREATE TABLE [dbo].[Products] (
	[ProductID] int IDENTITY (1, 1) NOT NULL CONSTRAINT [PK_Products] PRIMARY KEY,
	[ProductName] nvarchar (40) NOT NULL,
	[UnitPrice] money NULL CONSTRAINT [DF_Products_UnitPrice] DEFAULT (0),
	[Weight] dec (9, 3) NULL,
	[Discontinued] bit NOT NULL CONSTRAINT [DF_Products_Discontinued] DEFAULT (0),
	CONSTRAINT [CK_Products_UnitPrice] CHECK (UnitPrice >= 0)
)
GO
CREATE TABLE [dbo].[Orders] (
	[OrderID] int NOT NULL CONSTRAINT [PK_Orders] PRIMARY KEY,
	[CustomerID] CustomerCode NULL CONSTRAINT [FK_Orders_Customers] REFERENCES [dbo].[Customers] ([CustomerID]),
	[OrderDate] datetime NULL,
	[Freight] money NULL CONSTRAINT [DF_Orders_Freight] DEFAULT (0)
)
GO
CREATE TABLE [dbo].[Order Lines] (
	[OrderID] int NOT NULL,
	[ProductID] int NOT NULL,
	[UnitPrice] money NOT NULL,
	[Quantity] smallint NOT NULL,
	[Discount] real NOT NULL,
	CONSTRAINT [PK_Order_Lines] PRIMARY KEY ([OrderID], [ProductID]),
	CONSTRAINT [FK_Order_Lines_Orders] FOREIGN KEY ([OrderID]) REFERENCES [dbo].[Orders] ([OrderID]),
	CONSTRAINT [FK_Order_Lines_Products] FOREIGN KEY ([ProductID]) REFERENCES [dbo].[Products] ([ProductID]),
	CONSTRAINT [CK_Quantity] CHECK (Quantity > 0)
)
GO
create view [Order Totals] AS
SELECT c.CompanyName, o.OrderID, SUM(l.UnitPrice * l.Quantity) AS Total
FROM ((Customers c INNER JOIN Orders o ON c.CustomerID = o.CustomerID)
	INNER JOIN [Order Lines] l ON o.OrderID = l.OrderID)
GROUP BY c.CompanyName, o.OrderID
GO
create procedure [Ten Most Expensive Products] AS
SET ROWCOUNT 10
SELECT Products.ProductName AS TenMostExpensiveProducts, Products.UnitPrice
FROM Products
ORDER BY Products.UnitPrice DESC
GO
create procedure [Customer Order Counts] AS
SET NOCOUNT ON
DECLARE @counts TABLE (CustomerID nchar(5), Orders int)
DECLARE @id CustomerCode
DECLARE customer_cursor CURSOR LOCAL FAST_FORWARD FOR
	SELECT CustomerID FROM Customers ORDER BY CustomerID
OPEN customer_cursor
FETCH NEXT FROM customer_cursor INTO @id
WHILE @@FETCH_STATUS = 0
BEGIN
	INSERT @counts SELECT @id, COUNT(*) FROM Orders WHERE CustomerID = @id
	FETCH NEXT FROM customer_cursor INTO @id
END
CLOSE customer_cursor
DEALLOCATE customer_cursor
SELECT CustomerID, Orders FROM @counts ORDER BY CustomerID
GO
ALTER TABLE [dbo].[Order Lines] NOCHECK CONSTRAINT ALL
ALTER TABLE [dbo].[Orders] NOCHECK CONSTRAINT ALL
GO
-- The order lines come first, before their orders and products exist.
BEGIN TRANSACTION
DECLARE @o int
SET @o = 10000
WHILE @o < 11000
BEGIN
	INSERT [Order Lines] VALUES (@o, @o % 40 + 1, $10.50 + @o % 7, @o % 5 + 1, 0)
	INSERT [Order Lines] VALUES (@o, (@o + 13) % 40 + 1, $3.25, 2, 0.05)
	SET @o = @o + 1
END
COMMIT TRANSACTION
GO
BEGIN TRANSACTION
DECLARE @o int
SET @o = 10000
WHILE @o < 11000
BEGIN
	INSERT Orders VALUES (@o, CASE @o % 3 WHEN 0 THEN N'ALFKI' WHEN 1 THEN N'BONAP' ELSE N'CHOPS' END,
		DATEADD(day, @o - 10000, '19960704'), $1.25 * (@o % 10))
	SET @o = @o + 1
END
COMMIT TRANSACTION
GO
INSERT Customers VALUES (N'ALFKI', N'Alfreds Futterkiste', N'Berlin')
INSERT Customers VALUES (N'BONAP', N'Bon app''', N'Marseille')
INSERT Customers VALUES (N'CHOPS', N'Chop-suey Chinese', N'Bern')
GO
DECLARE @p int
SET @p = 1
WHILE @p <= 40
BEGIN
	INSERT Products (ProductName, UnitPrice, Weight) VALUES (N'Product ' + CAST(@p AS nvarchar(10)), $2.50 * @p, @p * 0.125)
	SET @p = @p + 1
END
GO
ALTER TABLE [dbo].[Orders] CHECK CONSTRAINT ALL
ALTER TABLE [dbo].[Order Lines] WITH CHECK CHECK CONSTRAINT ALL
GO
CHECKPOINT
GO
UPDATE STATISTICS [Order Lines]
GO
