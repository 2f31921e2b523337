SELECT TOP 10 [name], id FROM master..sysobjects WHERE xtype = 'U ' ORDER BY 1
GO
