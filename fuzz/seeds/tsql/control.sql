DECLARE @i int
SET @i = 0
WHILE @i < 3 BEGIN
  PRINT 'x' + CAST(@i AS varchar(10))
  SET @i = @i + 1
END
IF @i > 2 RAISERROR('done %d', 10, 1, @i)
