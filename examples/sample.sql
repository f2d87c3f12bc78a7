-- A sample résumé: the blank database filled with one fictional person's entries.
-- Applied to a fresh blank résumé by the build, giving sample.vcw beside the program.
-- Every section is shown, every list table has entries (one of them left unpublished),
-- and names and places carry letters beyond ASCII: é, ü, ñ, ø inside code page 1252,
-- and ł, ř, ę outside it.
UPDATE ContactInfo SET
    FirstName = 'Renée', MiddleInitial = 'J', LastName = 'Michałowska',
    HomePhone = '+45 31 55 01 22', WorkPhone = '+45 31 55 07 71',
    EmailAddress = 'renee.michalowska@example.org', PersonalWebsite = 'example.org/renee',
    PermanentAddressLine1 = 'Nørrebrogade 41, 2. th.', PermanentAddressLine2 = '',
    PermanentCity = 'København N', PermanentState = '', PermanentZipCode = '2200',
    PermanentCountry = 'Denmark',
    CurrentAddressLine1 = 'Ulica Długa 7', CurrentCity = 'Gdańsk', CurrentCountry = 'Poland';

UPDATE Purpose SET
    objective = 'A lead role in software quality, where careful engineering and clear '
        || 'communication help a product team ship with confidence.',
    summary = 'Twelve years of building and testing desktop and measurement software in '
        || 'four countries. Known for calm incident handling, for test suites that find '
        || 'faults before customers do, and for documentation people actually read.',
    personal = 'Fluent in Polish, English and Danish; conversational German and Spanish. '
        || 'Volunteer maths tutor and amateur cellist.',
    keyword = 'C++ · Qt · SQL · test automation · continuous integration · '
        || 'release engineering · measurement systems';

INSERT INTO EmploymentHistory
    (Company, Position, City, Country, URL, DateFrom, DateTo, StillEmployed, InAllPublished,
     comments)
VALUES
    ('Müller & Søn Messtechnik', 'Senior Software Engineer, Test Lead', 'København',
     'Denmark', 'mueller-soen.example', '2019-03-01', NULL, 'True', 'True',
     'Leads a team of five building the test and release pipeline of a measurement suite. '
        || 'Moved 3,000 manual checks into an automated regression farm and halved the '
        || 'defects that reached customers.'),
    ('Señal Software', 'Software Engineer', 'Sevilla', 'Spain', '', '2015-09-01',
     '2019-02-28', 'False', 'True',
     'Built the reporting module of a billing product used by 40 utilities; introduced '
        || 'code review and a nightly build.'),
    ('Dvořák Analytics', 'Junior Developer', 'Brno', 'Czech Republic', '', '2012-07-01',
     '2015-08-31', 'False', 'True',
     'Data import tools and a query builder for survey data.'),
    ('Summer Job Ltd', 'Intern', 'Gdańsk', 'Poland', '', '2011-06-01', '2011-08-31', 'False',
     'False', 'Not for publication.');

INSERT INTO EducationalHistory
    (Institution, URL, Degree, YearAwarded, DateFrom, DateTo, StillAttending, InAllPublished,
     Comment)
VALUES
    ('Gdańsk Technical College', '', 'M.Sc. Computer Science', '2012', '2010-10-01',
     '2012-06-30', 'False', 'True', 'Thesis on property-based testing of database engines.'),
    ('Gdańsk Technical College', '', 'B.Sc. Applied Mathematics', '2010', '2007-10-01',
     '2010-06-30', 'False', 'True', '');

INSERT INTO Skills (skill, comments, InAllPublished) VALUES
    ('Software design', 'Modular C++20 and Qt applications, data models, SQLite storage.', 'True'),
    ('Testing', 'Unit, integration and interoperability tests; fuzzing; CI on three platforms.',
     'True'),
    ('Leadership', 'Mentoring, hiring, release planning with product management.', 'True');

INSERT INTO Honors (Type, Title, Date, Comments, InAllPubliched) VALUES
    ('Honor', 'Dean''s List, Faculty of Electronics', '2011-06-30', 'Four semesters in a row.',
     'True'),
    ('Award', 'Engineering Excellence Award', '2021-11-20', 'For the regression farm.', 'True'),
    ('Award', 'Best Paper, Nordic Testing Workshop', '2017-05-12', '', 'True'),
    ('Achievement', 'Speaker at a regional developer conference in Kraków', '2022-04-09', '',
     'True'),
    ('Achievement', 'Certified Scrum practitioner', '2016-02-01', '', 'False');

INSERT INTO Organizations (Name, DateFrom, DateTo, Comments, InAllPublished) VALUES
    ('Nørrebro Coding Club', '2019-09-01', '2024-06-30', 'Mentor for new members.', 'True'),
    ('Association for Software Quality', '2014-01-01', '2024-12-31', '', 'True');

INSERT INTO refer
    (Type, Name, Title, Organization, AddressLine1, AddressLine2, City, Phone, Email,
     InAllPublished)
VALUES
    ('professional', 'Jürgen Åberg', 'Engineering Director', 'Müller & Søn Messtechnik',
     'Vesterbrogade 200', '', 'København V 1800', '+45 31 55 04 40',
     'j.aberg@mueller-soen.example', 'True'),
    ('professional', 'Iñaki Ordóñez', 'Head of Development', 'Señal Software',
     'Avenida de la Constitución 12', '', 'Sevilla 41001', '+34 955 010 331', '', 'True'),
    ('personal', 'Tomáš Řezníček', 'Cello teacher', '', 'Masarykova 3', '', 'Brno 602 00',
     '+420 541 010 123', 'tomas@example.net', 'True');

DELETE FROM DisplayedOrder;
INSERT INTO DisplayedOrder VALUES ('Summary');
INSERT INTO DisplayedOrder VALUES ('Objective');
INSERT INTO DisplayedOrder VALUES ('Keywords');
INSERT INTO DisplayedOrder VALUES ('Employment History');
INSERT INTO DisplayedOrder VALUES ('Educational History');
INSERT INTO DisplayedOrder VALUES ('Skills');
INSERT INTO DisplayedOrder VALUES ('Honors');
INSERT INTO DisplayedOrder VALUES ('Awards');
INSERT INTO DisplayedOrder VALUES ('Achievements');
INSERT INTO DisplayedOrder VALUES ('Organizations');
INSERT INTO DisplayedOrder VALUES ('Personal');
INSERT INTO DisplayedOrder VALUES ('Professional References');
INSERT INTO DisplayedOrder VALUES ('Personal References');
DELETE FROM AvailableSections;
