CREATE PROCEDURE dbo.p @a int = 1 AS
BEGIN TRAN
UPDATE t SET b = (SELECT max(c) FROM u WHERE u.k = t.k) WHERE a = @a
COMMIT
