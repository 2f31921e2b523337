/* Bookshop sample database: writers, books and their sales. */
SET NOCOUNT ON
GO
set nocount    on
set dateformat mdy
GO
USE master
GO
if exists (select * from master..sysdatabases where name = 'bookshop')
		DROP database bookshop
GO
CREATE DATABASE bookshop
GO
CHECKPOINT
GO
USE bookshop
GO
if db_name() <> 'bookshop'
   raiserror('Error in creating the database, ''USE bookshop'' failed!  Stop the script now.',22,127) with log
GO
execute sp_dboption 'bookshop' ,'trunc. log on chkpt.' ,'true'
GO
execute sp_addtype wid ,'varchar(11)' ,'NOT NULL'
execute sp_addtype bid ,'varchar(6)' ,'NOT NULL'
execute sp_addtype staffid ,'char(9)' ,'NOT NULL'
GO
raiserror('Now at the create table section ....',0,1)
GO
CREATE TABLE writers
(
   wr_id          wid
         CHECK (wr_id like '[0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9][0-9][0-9]')
         CONSTRAINT UPKCL_wridind PRIMARY KEY CLUSTERED,
   wr_lname       varchar(40)       NOT NULL,
   wr_fname       varchar(20)       NOT NULL,
   phone          char(12)          NOT NULL
         DEFAULT ('UNKNOWN'),
   address        varchar(40)           NULL,
   city           varchar(20)           NULL,
   state          char(2)               NULL,
   zip            char(5)               NULL
         CHECK (zip like '[0-9][0-9][0-9][0-9][0-9]'),
   contract       bit               NOT NULL
)
GO
CREATE TABLE presses
(
   press_id       char(4)           NOT NULL
         CONSTRAINT UPKCL_pressind PRIMARY KEY CLUSTERED
         CHECK (press_id in ('1389', '0736', '0877', '1622', '1756')
            OR press_id like '99[0-9][0-9]'),
   press_name     varchar(40)           NULL,
   city           varchar(20)           NULL,
   state          char(2)               NULL,
   country        varchar(30)           NULL
         DEFAULT('USA')
)
GO
CREATE TABLE books
(
   book_id        bid
         CONSTRAINT UPKCL_bookidind PRIMARY KEY CLUSTERED,
   title          varchar(80)       NOT NULL,
   type           char(12)          NOT NULL
         DEFAULT ('UNDECIDED'),
   press_id       char(4)               NULL
         REFERENCES presses(press_id),
   price          money                 NULL,
   advance        money                 NULL,
   royalty        int                   NULL,
   ytd_sales      int                   NULL,
   notes          varchar(200)          NULL,
   pubdate        datetime          NOT NULL
         DEFAULT (getdate())
)
GO
CREATE TABLE bookwriters
(
   wr_id          wid
         REFERENCES writers(wr_id),
   book_id        bid
         REFERENCES books(book_id),
   wr_ord         tinyint               NULL,
   royaltyper     int                   NULL,
   CONSTRAINT UPKCL_bookwriterind PRIMARY KEY CLUSTERED(wr_id, book_id)
)
GO
CREATE TABLE stores
(
   stor_id        char(4)           NOT NULL
         CONSTRAINT UPK_storeid PRIMARY KEY CLUSTERED,
   stor_name      varchar(40)           NULL,
   stor_address   varchar(40)           NULL,
   city           varchar(20)           NULL,
   state          char(2)               NULL,
   zip            char(5)               NULL
)
GO
CREATE TABLE sales
(
   stor_id        char(4)           NOT NULL
         REFERENCES stores(stor_id),
   ord_num        varchar(20)       NOT NULL,
   ord_date       datetime          NOT NULL,
   qty            smallint          NOT NULL,
   payterms       varchar(12)       NOT NULL,
   book_id        bid
         REFERENCES books(book_id),
   CONSTRAINT UPKCL_sales PRIMARY KEY CLUSTERED (stor_id, ord_num, book_id)
)
GO
CREATE TABLE roysched
(
   book_id        bid
         REFERENCES books(book_id),
   lorange        int                   NULL,
   hirange        int                   NULL,
   royalty        int                   NULL
)
GO
CREATE TABLE discounts
(
   discounttype   varchar(40)       NOT NULL,
   stor_id        char(4) NULL
         REFERENCES stores(stor_id),
   lowqty         smallint              NULL,
   highqty        smallint              NULL,
   discount       dec(4,2)              NOT NULL
)
GO
CREATE TABLE roles
(
   role_id        smallint          IDENTITY(1,1)
         PRIMARY KEY CLUSTERED,
   role_desc      varchar(50)       NOT NULL
         DEFAULT 'New Position - title not formalized yet',
   min_lvl        tinyint           NOT NULL
         CHECK (min_lvl >= 10),
   max_lvl        tinyint           NOT NULL
         CHECK (max_lvl <= 250)
)
GO
CREATE TABLE press_info
(
   press_id       char(4)           NOT NULL
         REFERENCES presses(press_id)
         CONSTRAINT UPKCL_press_info PRIMARY KEY CLUSTERED,
   logo           image                 NULL,
   pr_info        text                  NULL
)
GO
CREATE TABLE staff
(
   staff_id       staffid
         CONSTRAINT PK_staff_id PRIMARY KEY NONCLUSTERED
         CONSTRAINT CK_staff_id CHECK (staff_id LIKE
            '[A-Z][A-Z][A-Z][1-9][0-9][0-9][0-9][0-9][FM]' or
            staff_id LIKE '[A-Z]-[A-Z][1-9][0-9][0-9][0-9][0-9][FM]'),
   fname          varchar(20)       NOT NULL,
   minit          char(1)               NULL,
   lname          varchar(30)       NOT NULL,
   role_id        smallint          NOT NULL
         DEFAULT 1
         REFERENCES roles(role_id),
   role_lvl       tinyint
         DEFAULT 10,
   press_id       char(4)           NOT NULL
         DEFAULT ('9952')
         REFERENCES presses(press_id),
   hire_date      datetime          NOT NULL
         DEFAULT (getdate())
)
GO
raiserror('Now at the create trigger section ...',0,1)
GO
CREATE TRIGGER staff_insupd
ON staff
FOR insert, UPDATE
AS
--Get the range of level for this role type from the roles table.
declare @min_lvl tinyint,
   @max_lvl tinyint,
   @emp_lvl tinyint,
   @role_id smallint
select @min_lvl = min_lvl,
   @max_lvl = max_lvl,
   @emp_lvl = i.role_lvl,
   @role_id = i.role_id
from staff e, roles r, inserted i
where e.staff_id = i.staff_id AND i.role_id = r.role_id
IF (@role_id = 1) and (@emp_lvl <> 10)
begin
   raiserror ('Role id 1 expects the default level of 10.',16,1)
   ROLLBACK TRANSACTION
end
ELSE
IF NOT (@emp_lvl BETWEEN @min_lvl AND @max_lvl)
begin
   raiserror ('The level for role_id:%d should be between %d and %d.',
      16, 1, @role_id, @min_lvl, @max_lvl)
   ROLLBACK TRANSACTION
end
GO
raiserror('Now at the inserts to writers ....',0,1)
GO
insert writers
   values('409-56-7008', 'Abbot', 'Bernard', '415 658-9932',
   '6223 Bateman St.', 'Berkeley', 'CA', '94705', 1)
insert writers
   values('213-46-8915', 'Greene', 'Marjorie', '415 986-7020',
   '309 63rd St. #411', 'Oakland', 'CA', '94618', 1)
insert writers
   values('238-95-7766', 'Carlsen', 'Cheryl', '415 548-7723',
   '589 Darwin Ln.', 'Berkeley', 'CA', '94705', 1)
insert writers
   values('998-72-3567', 'Ringold', 'Albert', '801 826-0752',
   '67 Seventh Av.', 'Salt Lake City', 'UT', '84152', 1)
insert writers (wr_id, wr_lname, wr_fname, contract)
   values('899-46-2035', 'O''Leary', 'Anne', 0)
GO
raiserror('Now at the inserts to presses ....',0,1)
GO
insert presses values('0736', 'New Moon Books', 'Boston', 'MA', 'USA')
insert presses values('0877', 'Binnet & Hardley', 'Washington', 'DC', 'USA')
insert presses values('1389', 'Algodata Infosystems', 'Berkeley', 'CA', 'USA')
insert presses values('9952', 'Scootney Books', 'New York', 'NY', 'USA')
insert presses values('1622', 'Five Lakes Publishing', 'Chicago', 'IL', 'USA')
insert presses values('1756', 'Ramona Publishers', 'Dallas', 'TX', 'USA')
insert presses values('9901', 'GGG&G', 'München', NULL, 'Germany')
insert presses values('9999', 'Lucerne Publishing', 'Paris', NULL, 'France')
GO
raiserror('Now at the inserts to press_info ....',0,1)
GO
insert press_info values('0736', 0x474946383961D3001F00B30F00000000800000008000808000000080800080008080808080C0C0C0FF000000FF00FFFF000000FFFF00FF00FFFFFFFFFF21F9040100000F002C00000000D3001F004004FFF0C949ABBD38EBCDBBFF60288E64699E68AAAE6CEBBE702CCF746DDF78AEEF7CEFFFC0A0705C, 'This is sample text data for New Moon Books, publisher 0736 in the bookshop database. New Moon Books is located in Boston, Massachusetts.')
insert press_info (press_id, pr_info) values('0877', 'This is sample text data for Binnet & Hardley, publisher 0877 in the bookshop database.')
GO
raiserror('Now at the inserts to books ....',0,1)
GO
insert books values ('PC8888', 'Secrets of Silicon Valley', 'popular_comp', '1389',
$20.00, $8000.00, 10, 4095,
'Muckraking reporting on the world''s largest computer hardware and software manufacturers.',
'06/12/94')
insert books values ('BU1032', 'The Busy Executive''s Database Guide', 'business',
'1389', $19.99, $5000.00, 10, 4095,
'An overview of available database systems with emphasis on common business applications. Illustrated.',
'06/12/91')
insert books values ('PS7777', 'Emotional Security: A New Algorithm', 'psychology',
'0736', $7.99, $4000.00, 10, 3336,
'Protecting yourself and your loved ones from undue emotional stress in the modern world. Use of computer and nutritional aids emphasized.',
'06/12/91')
insert books (book_id, title, press_id) values ('MC3026',
'The Psychology of Computer Cooking', '0877')
insert books values ('BU7832', 'Straight Talk About Computers', 'business', '1389',
$19.99, $5000.00, 10, 4095,
'Annotated analysis of what computers can do for you: a no-hype guide for the critical user.',
'06/22/91')
insert books values ('TC4203', 'Fifty Years in Buckingham Palace Kitchens', 'trad_cook',
'0877', $11.95, $4000.00, 14, 15096,
'More anecdotes from the Queen''s favorite cook describing life among English royalty. Recipes, techniques, tender vignettes.',
'1991-06-12T00:00:00')
GO
raiserror('Now at the inserts to bookwriters ....',0,1)
GO
insert bookwriters values('409-56-7008', 'BU1032', 1, 60)
insert bookwriters values('213-46-8915', 'BU1032', 2, 40)
insert bookwriters values('238-95-7766', 'PC8888', 1, 50)
insert bookwriters values('998-72-3567', 'PS7777', 1, 100)
insert bookwriters values('213-46-8915', 'BU7832', 1, 100)
insert bookwriters values('899-46-2035', 'TC4203', 1, 100)
GO
raiserror('Now at the inserts to stores ....',0,1)
GO
insert stores values('7066','Barnum''s','567 Pasadena Ave.','Tustin','CA','92789')
insert stores values('7067','News & Brews','577 First St.','Los Gatos','CA','96745')
insert stores values('7131','Doc-U-Mat: Quality Laundry and Books','24-A Avogadro Way','Remulade','WA','98014')
insert stores values('8042','Bookbeat','679 Carson St.','Portland','OR','89076')
GO
raiserror('Now at the inserts to sales ....',0,1)
GO
insert sales values('7066', 'QA7442.3', '09/13/94', 75, 'ON invoice','PS7777')
insert sales values('7067', 'D4482', '09/14/94', 10, 'Net 60','PS7777')
insert sales values('7131', 'N914008', '09/14/94', 20, 'Net 30','PS7777')
insert sales values('7131', 'N914014', '09/14/94', 25, 'Net 30','MC3026')
insert sales values('8042', '423LL922', '09/14/94', 15, 'ON invoice','MC3026')
insert sales values('8042', '423LL930', '09/14/94', 10, 'ON invoice','BU1032')
insert sales values('7066', 'A2976', '05/24/93', 50, 'Net 30','PC8888')
insert sales values('7131', 'P3087a', '05/29/93', 20, 'Net 60','PS7777')
insert sales values('8042', 'QA879.1', '5/22/93', 30, 'Net 30','PC8888')
GO
-- many orders, as a busy shop has
DECLARE @n int
SELECT @n = 1
WHILE @n <= 2000
BEGIN
   INSERT sales (stor_id, ord_num, ord_date, qty, payterms, book_id)
   VALUES (CASE @n % 4 WHEN 0 THEN '7066' WHEN 1 THEN '7067' WHEN 2 THEN '7131' ELSE '8042' END,
      'B' + RIGHT('00000' + CONVERT(varchar(5), @n), 5), DATEADD(dd, @n, '19950101'), @n % 50 + 1, 'Net 30',
      CASE @n % 3 WHEN 0 THEN 'BU1032' WHEN 1 THEN 'PS7777' ELSE 'TC4203' END)
   SELECT @n = @n + 1
END
GO
raiserror('Now at the inserts to roysched ....',0,1)
GO
insert roysched values('BU1032', 0, 5000, 10)
insert roysched values('BU1032', 5001, 50000, 12)
insert roysched values('PC8888', 0, 5000, 10)
insert roysched values('PC8888', 5001, 10000, 12)
insert roysched values('PS7777', 0, 5000, 10)
insert roysched values('PS7777', 5001, 50000, 12)
insert roysched values('TC4203', 0, 2000, 14)
insert roysched values('TC4203', 2001, 8000, 16)
GO
raiserror('Now at the inserts to discounts ....',0,1)
GO
insert discounts values('Initial Customer', NULL, NULL, NULL, 10.5)
insert discounts values('Volume Discount', NULL, 100, 1000, 6.7)
insert discounts values('Customer Discount', '8042', NULL, NULL, 5.0)
GO
raiserror('Now at the inserts to roles ....',0,1)
GO
insert roles values ('New Hire - Job not specified', 10, 10)
insert roles values ('Chief Executive Officer', 200, 250)
insert roles values ('Business Operations Manager', 175, 225)
insert roles values ('Chief Financial Officier', 175, 250)
insert roles values ('Editor', 25, 100)
GO
raiserror('Now at the inserts to staff ....',0,1)
GO
insert staff values ('PMA42628M', 'Paolo', 'M', 'Accorti', 5, 35, '0877', '08/27/92')
insert staff values ('PSA89086M', 'Pedro', 'S', 'Afonso', 4, 200, '1389', '12/24/90')
insert staff values ('VPA30890F', 'Victoria', 'P', 'Ashworth', 3, 200, '0877', '09/13/90')
insert staff values ('H-B39728F', 'Helen', ' ', 'Bennett', 5, 35, '0877', '09/21/89')
insert staff values ('L-B31947F', 'Lesley', ' ', 'Brown', 1, 10, '0877', '02/13/91')
GO
raiserror('Now at the create index section ....',0,1) with nowait
GO
CREATE CLUSTERED INDEX roysched_bookid_ind ON roysched (book_id)
CREATE NONCLUSTERED INDEX bookidind ON sales (book_id)
CREATE NONCLUSTERED INDEX aunmind ON writers (wr_lname, wr_fname)
CREATE NONCLUSTERED INDEX bookidind2 ON bookwriters (book_id)
CREATE NONCLUSTERED INDEX titleind ON books (title)
CREATE NONCLUSTERED INDEX employee_ind ON staff (lname, fname, minit)
GO
raiserror('Now at the create view section ....',0,1)
GO
CREATE VIEW bookview
AS
select title, wr_ord, wr_lname, price, ytd_sales, press_id
from writers, books, bookwriters
where writers.wr_id = bookwriters.wr_id
   AND books.book_id = bookwriters.book_id
GO
raiserror('Now at the create procedure section ....',0,1)
GO
CREATE PROCEDURE byroyalty @percentage int
AS
select wr_id from bookwriters
where bookwriters.royaltyper = @percentage
GO
CREATE PROCEDURE reptq1 AS
select
	case when grouping(press_id) = 1 then 'ALL' else press_id end as press_id,
	avg(price) as avg_price
from books
where price is NOT NULL
group by press_id with rollup
order by press_id
GO
CREATE PROCEDURE reptq2 AS
select
	case when grouping(type) = 1 then 'ALL' else type end as type,
	case when grouping(press_id) = 1 then 'ALL' else press_id end as press_id,
	avg(ytd_sales) as avg_ytd_sales
from books
where press_id is NOT NULL
group by press_id, type with rollup
GO
CREATE PROCEDURE reptq3 @lolimit money, @hilimit money,
@type char(12)
AS
select
	case when grouping(press_id) = 1 then 'ALL' else press_id end as press_id,
	case when grouping(type) = 1 then 'ALL' else type end as type,
	count(book_id) as cnt
from books
where price >@lolimit AND price <@hilimit AND type = @type OR type LIKE '%cook%'
group by press_id, type with cube
GO
UPDATE STATISTICS presses
UPDATE STATISTICS books
GO
CHECKPOINT
GO
USE master
GO
CHECKPOINT
GO
USE bookshop
GO
