-- A blank résumé: eleven tables, the one Configuration row and the initial split
-- of the section identifiers. Dates are ISO yyyy-mm-dd text in DATE columns; yes/no
-- columns hold the strings 'True' and 'False'. The rollback journal (never WAL)
-- keeps the file alone a whole, consistent résumé after every write, so it can be
-- copied while open.
PRAGMA journal_mode = DELETE;

CREATE TABLE ContactInfo (
    FirstName TEXT,
    MiddleInitial TEXT,
    LastName TEXT,
    HomePhone TEXT,
    WorkPhone TEXT,
    EmailAddress TEXT,
    PersonalWebsite TEXT,
    PermanentAddressLine1 TEXT,
    PermanentAddressLine2 TEXT,
    PermanentCity TEXT,
    PermanentState TEXT,
    PermanentCountry TEXT,
    PermanentZipCode TEXT,
    CurrentAddressLine1 TEXT,
    CurrentAddressLine2 TEXT,
    CurrentCity TEXT,
    CurrentState TEXT,
    CurrentCountry TEXT,
    CurrentZipCode TEXT
);

CREATE TABLE Purpose (
    objective TEXT,
    summary TEXT,
    personal TEXT,
    keyword TEXT
);

-- The list tables: the key orders the entries as they were created; nothing in
-- the program names it.
CREATE TABLE EducationalHistory (
    ID INTEGER PRIMARY KEY,
    Institution TEXT,
    URL TEXT,
    Degree TEXT,
    YearAwarded TEXT,
    DateFrom DATE,
    DateTo DATE,
    StillAttending TEXT,
    InAllPublished TEXT DEFAULT 'True',
    Comment TEXT
);

CREATE TABLE EmploymentHistory (
    ID INTEGER PRIMARY KEY,
    Company TEXT,
    Position TEXT,
    City TEXT,
    Country TEXT,
    URL TEXT,
    DateFrom DATE,
    DateTo DATE,
    StillEmployed TEXT,
    InAllPublished TEXT DEFAULT 'True',
    comments TEXT
);

CREATE TABLE Honors (
    ID INTEGER PRIMARY KEY,
    Type TEXT DEFAULT 'Honor',
    Title TEXT,
    Date DATE,
    Comments TEXT,
    InAllPubliched TEXT DEFAULT 'True'
);

CREATE TABLE Organizations (
    ID INTEGER PRIMARY KEY,
    Name TEXT,
    DateFrom DATE,
    DateTo DATE,
    Comments TEXT,
    InAllPublished TEXT DEFAULT 'True'
);

CREATE TABLE Skills (
    ID INTEGER PRIMARY KEY,
    skill TEXT,
    comments TEXT,
    InAllPublished TEXT DEFAULT 'True'
);

CREATE TABLE refer (
    ID INTEGER PRIMARY KEY,
    Type TEXT DEFAULT 'professional',
    Name TEXT,
    Title TEXT,
    Organization TEXT,
    AddressLine1 TEXT,
    AddressLine2 TEXT,
    City TEXT,
    Phone TEXT,
    Email TEXT,
    InAllPublished TEXT DEFAULT 'True'
);

-- Exactly one row: every section query joins it, so a second row would print
-- every entry twice. Colours are blue * 65536 + green * 256 + red; styles are
-- bold 1 + italic 2 + underline 4 + strikeout 8. PaperSize is 'A4' or 'Letter',
-- NULL until the user chooses, which prints on the paper of the user's locale.
-- (No comments inside the statement: SQLite keeps its text and edits it when a
-- column is dropped.)
CREATE TABLE Configuration (
    HeadingFontName TEXT,
    HeadingFontSize INTEGER,
    HeadingFontColor INTEGER,
    HeadingFontStyle INTEGER,
    SubHeadingFontName TEXT,
    SubHeadingFontSize INTEGER,
    SubHeadingFontColor INTEGER,
    SubHeadingFontStyle INTEGER,
    NormalTextFontName TEXT,
    NormalTextFontSize INTEGER,
    NormalTextFontColor INTEGER,
    NormalTextFontStyle INTEGER,
    Template TEXT,
    Summary TEXT,
    Personal TEXT,
    Keywords TEXT,
    EducationalHistory TEXT,
    EmploymentHistory TEXT,
    ProfessionalReferences TEXT,
    PersonalReferences TEXT,
    Organizations TEXT,
    Skills TEXT,
    Honors TEXT,
    Awards TEXT,
    Archievements TEXT,
    PaperSize TEXT
);

-- One column each: the format dialog inserts rows without a column list.
-- DisplayedOrder is read back in insertion (rowid) order.
CREATE TABLE AvailableSections (Section TEXT);
CREATE TABLE DisplayedOrder (Section TEXT);

-- The name large and bold in dark slate blue (31, 56, 100); section headings bold
-- in the same blue; body text black, regular, at a size that keeps a typical
-- résumé on one page.
INSERT INTO Configuration VALUES (
    'Arial', 22, 6567967, 1,
    'Arial', 11, 6567967, 1,
    'Arial', 10, 0, 0,
    'Contemporary Resume',
    'Summary', 'Personal', 'Keywords', 'Educational History', 'Employment History',
    'Professional References', 'Personal References', 'Organizations', 'Skills',
    'Honors', 'Awards', 'Achievements',
    NULL
);

INSERT INTO DisplayedOrder VALUES ('Objective');
INSERT INTO DisplayedOrder VALUES ('Summary');
INSERT INTO DisplayedOrder VALUES ('Employment History');
INSERT INTO DisplayedOrder VALUES ('Educational History');
INSERT INTO DisplayedOrder VALUES ('Skills');
INSERT INTO DisplayedOrder VALUES ('Honors');
INSERT INTO DisplayedOrder VALUES ('Awards');
INSERT INTO DisplayedOrder VALUES ('Achievements');
INSERT INTO DisplayedOrder VALUES ('Organizations');
INSERT INTO DisplayedOrder VALUES ('Professional References');

INSERT INTO AvailableSections VALUES ('Personal');
INSERT INTO AvailableSections VALUES ('Keywords');
INSERT INTO AvailableSections VALUES ('Personal References');

INSERT INTO ContactInfo DEFAULT VALUES;
INSERT INTO Purpose DEFAULT VALUES;
