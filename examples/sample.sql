-- A sample résumé: the blank database filled with one fictional person's entries.
-- Applied to a fresh blank résumé by the build, giving sample.vcw beside the program.
UPDATE ContactInfo SET
    FirstName = 'Dana', MiddleInitial = 'K', LastName = 'Moreau',
    HomePhone = '(555) 010-2290', WorkPhone = '(555) 010-7712',
    EmailAddress = 'dana.moreau@example.org', PersonalWebsite = 'https://example.org/dana',
    PermanentAddressLine1 = '48 Orchard Lane', PermanentAddressLine2 = 'Apartment 3B',
    PermanentCity = 'Springfield', PermanentState = 'IL', PermanentZipCode = '62704',
    PermanentCountry = 'USA';

UPDATE Purpose SET
    objective = 'A lead role in software quality where careful engineering and clear '
        || 'communication help a product team ship with confidence.',
    summary = 'Twelve years of building and testing desktop and web software.' || char(13, 10)
        || 'Known for calm incident handling and for documentation people actually read.',
    personal = 'Volunteer maths tutor; amateur cellist.',
    keyword = 'C++, Qt, SQL, test automation, release engineering';

INSERT INTO EmploymentHistory
    (Company, Position, City, Country, URL, DateFrom, DateTo, StillEmployed, InAllPublished,
     comments)
VALUES
    ('Northwind Instruments', 'Senior Software Engineer', 'Springfield', 'IL',
     'https://northwind.example', '2016-03-01', '2024-06-30', 'True', 'True',
     'Led the move of a measurement suite to a new toolkit.' || char(13, 10)
        || 'Cut release defects by half with an automated regression farm.'),
    ('Blue Heron Software', 'Software Engineer', 'Chicago', 'IL', '', '2011-07-01',
     '2016-02-28', 'False', 'True', 'Built the reporting module of a billing product.'),
    ('Summer Job Ltd', 'Intern', 'Peoria', '', '', '2010-06-01', '2010-08-31', 'False', 'False',
     'Not for publication.');

INSERT INTO EducationalHistory
    (Institution, URL, Degree, YearAwarded, DateFrom, DateTo, StillAttending, InAllPublished,
     Comment)
VALUES
    ('State University', 'https://university.example', 'B.Sc. Computer Science', '2011',
     '2007-09-01', '2011-06-15', 'False', 'True', 'Graduated with honours.');

INSERT INTO Skills (skill, comments, InAllPublished) VALUES
    ('Software design', 'Modular C++ and Qt applications, data models, plugin systems.', 'True'),
    ('Testing', 'Unit, integration and interoperability tests; continuous integration.', 'True');

INSERT INTO Honors (Type, Title, Date, Comments, InAllPubliched) VALUES
    ('Honor', 'Dean''s List', '2010-06-15', 'Four semesters.', 'True'),
    ('Award', 'Engineering Excellence Award', '2019-11-20', 'For the regression farm.', 'True'),
    ('Achievement', 'Speaker at a regional developer conference', '2022-04-09', '', 'True');

INSERT INTO Organizations (Name, DateFrom, DateTo, Comments, InAllPublished) VALUES
    ('Springfield Coding Club', '2015-01-10', '2024-06-30', 'Mentor for new members.', 'True');

INSERT INTO refer
    (Type, Name, Title, Organization, AddressLine1, AddressLine2, City, Phone, Email,
     InAllPublished)
VALUES
    ('professional', 'Morgan Ellis', 'Engineering Director', 'Northwind Instruments',
     '200 Industrial Way', '', 'Springfield, IL 62701', '(555) 010-4400',
     'm.ellis@northwind.example', 'True'),
    ('personal', 'Priya Natarajan', 'Teacher', '', '12 Elm Street', '', 'Springfield, IL 62702',
     '(555) 010-3311', '', 'True');

DELETE FROM DisplayedOrder;
INSERT INTO DisplayedOrder VALUES ('Objective');
INSERT INTO DisplayedOrder VALUES ('Summary');
INSERT INTO DisplayedOrder VALUES ('Employment History');
INSERT INTO DisplayedOrder VALUES ('Skills');
INSERT INTO DisplayedOrder VALUES ('Educational History');
INSERT INTO DisplayedOrder VALUES ('Honors');
INSERT INTO DisplayedOrder VALUES ('Awards');
INSERT INTO DisplayedOrder VALUES ('Achievements');
INSERT INTO DisplayedOrder VALUES ('Organizations');
INSERT INTO DisplayedOrder VALUES ('Professional References');
INSERT INTO DisplayedOrder VALUES ('Personal References');
DELETE FROM AvailableSections;
INSERT INTO AvailableSections VALUES ('Personal');
INSERT INTO AvailableSections VALUES ('Keywords');
