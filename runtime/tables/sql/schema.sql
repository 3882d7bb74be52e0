-- The module's tables, view and indexes. Same column conventions as the host schema:
-- text right-trimmed, compared ignoring trailing blanks; ISO dates; tstamp on the
-- tables a screen saves at level 0.

-- The module's settings: wash account and subaccount, last batch numbers handed out.
CREATE TABLE XNASetup (
  vond1 TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  vond2 TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LastNABatNbr TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LastNATrBatNbr TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Crtd_Date TEXT NOT NULL DEFAULT '1900-01-01',
  Crtd_Prog TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Crtd_User TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LUpd_Date TEXT NOT NULL DEFAULT '1900-01-01',
  LUpd_Prog TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LUpd_User TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  tstamp INTEGER NOT NULL DEFAULT 0);
-- Holds one row at most.
CREATE UNIQUE INDEX XNASetup_One ON XNASetup ((0));

-- A national account: the parent customer and the options applied across it.
CREATE TABLE XNACustP (
  PrimaryCustId TEXT NOT NULL DEFAULT '' COLLATE RTRIM PRIMARY KEY CHECK (PrimaryCustId <> ''),
  cashreceipts INTEGER NOT NULL DEFAULT 1,
  Status INTEGER NOT NULL DEFAULT 0,
  Statement INTEGER NOT NULL DEFAULT 0,
  FinanceChrg INTEGER NOT NULL DEFAULT 0,
  CreditChk INTEGER NOT NULL DEFAULT 0,
  Crtd_Date TEXT NOT NULL DEFAULT '1900-01-01',
  Crtd_Prog TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Crtd_User TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LUpd_Date TEXT NOT NULL DEFAULT '1900-01-01',
  LUpd_Prog TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LUpd_User TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  tstamp INTEGER NOT NULL DEFAULT 0);

-- A child customer of a national account; a customer is the child of one parent at most.
CREATE TABLE XNACustS (
  PrimaryCustId TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  SecondaryCustid TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Crtd_Date TEXT NOT NULL DEFAULT '1900-01-01',
  Crtd_Prog TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Crtd_User TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LUpd_Date TEXT NOT NULL DEFAULT '1900-01-01',
  LUpd_Prog TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LUpd_User TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  PRIMARY KEY (PrimaryCustId, SecondaryCustid),
  CHECK (SecondaryCustid <> PrimaryCustId),
  CHECK (PrimaryCustId <> '' AND SecondaryCustid <> ''));
CREATE UNIQUE INDEX XNACustS_Child ON XNACustS (SecondaryCustid);

-- The triggers that keep the national accounts' links sound are in
-- schema.sqlite.sql and schema.postgresql.sql, the one part the engines spell apart.

CREATE VIEW XVNACustomers_ALL AS
  SELECT s.PrimaryCustId AS PrimaryCustId, s.SecondaryCustid AS SecondaryCustId,
         p.Name AS PrimaryName, c.Name AS SecondaryName
  FROM XNACustS s
  LEFT JOIN Customer p ON p.CustId = s.PrimaryCustId
  LEFT JOIN Customer c ON c.CustId = s.SecondaryCustid;

-- A national-account payment batch. vond1: payment type NP, CM, PA, PP; vond2: the
-- reference of the credit applied (types CM, PA, PP).
-- Status O open, P partially released, C closed, V reversed; RevBatNbr: the AR
-- batch of the reversal.
CREATE TABLE XNAHeader (
  NABatNbr TEXT NOT NULL DEFAULT '' COLLATE RTRIM PRIMARY KEY,
  CpnyId TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  CustId TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  DocDate TEXT NOT NULL DEFAULT '1900-01-01',
  OrigDocAmt REAL NOT NULL DEFAULT 0,
  PerPost TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  RefNbr TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  vond1 TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  vond2 TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Status TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  ARBatNbr TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  RevBatNbr TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Crtd_Date TEXT NOT NULL DEFAULT '1900-01-01',
  Crtd_Prog TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Crtd_User TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LUpd_Date TEXT NOT NULL DEFAULT '1900-01-01',
  LUpd_Prog TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LUpd_User TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  tstamp INTEGER NOT NULL DEFAULT 0);
CREATE INDEX XNAHeader_RefNbr ON XNAHeader (RefNbr);
-- Whether a host batch is a national-account batch's own is asked per unreleased
-- application: without it each would read every batch the company ever had.
CREATE INDEX XNAHeader_ARBatNbr ON XNAHeader (ARBatNbr);

-- One application of a batch to a document.
CREATE TABLE XNADetail (
  NABatNbr TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  CustId TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  DocType TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  RefNbr TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  ARRefNbr TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  CpnyId TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  CuryApplAmt REAL NOT NULL DEFAULT 0,
  CuryId TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  DocDate TEXT NOT NULL DEFAULT '1900-01-01',
  DocAmt REAL NOT NULL DEFAULT 0,
  DetailFlag INTEGER NOT NULL DEFAULT 0,
  DiscAmt REAL NOT NULL DEFAULT 0,
  LineStatus TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Crtd_Date TEXT NOT NULL DEFAULT '1900-01-01',
  Crtd_Prog TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Crtd_User TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LUpd_Date TEXT NOT NULL DEFAULT '1900-01-01',
  LUpd_Prog TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LUpd_User TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  UNIQUE (NABatNbr, CustId, DocType, RefNbr));
CREATE INDEX XNADetail_Doc ON XNADetail (RefNbr, CustId, DocType);

-- A transfer of a credit memo or payment to customers of the same national account.
CREATE TABLE XNATranHdr (
  NATrBatNbr TEXT NOT NULL DEFAULT '' COLLATE RTRIM PRIMARY KEY,
  PrimaryCustID TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  SrcAmt REAL NOT NULL DEFAULT 0,
  SrcCustID TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  SrcDocType TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  SrcRefNbr TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Status TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  ARBatNbr TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  ARDMRefNbr TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  CpnyId TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Crtd_Date TEXT NOT NULL DEFAULT '1900-01-01',
  Crtd_Prog TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Crtd_User TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LUpd_Date TEXT NOT NULL DEFAULT '1900-01-01',
  LUpd_Prog TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LUpd_User TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  tstamp INTEGER NOT NULL DEFAULT 0);

CREATE TABLE XNATranDet (
  NATrBatNbr TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  DestCustID TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  ARRefNbr TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  cpnyid TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  DestAmt REAL NOT NULL DEFAULT 0,
  LineTotalAmt REAL NOT NULL DEFAULT 0,
  Status TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Rlsed INTEGER NOT NULL DEFAULT 0,
  Crtd_Date TEXT NOT NULL DEFAULT '1900-01-01',
  Crtd_Prog TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Crtd_User TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LUpd_Date TEXT NOT NULL DEFAULT '1900-01-01',
  LUpd_Prog TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LUpd_User TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  PRIMARY KEY (NATrBatNbr, DestCustID));

CREATE TABLE XNATranDLn (
  NATrBatNbr TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  DetCustID TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LineNbr INTEGER NOT NULL DEFAULT 0,
  Acct TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  cpnyid TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  ExtRefNbr TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  ProjectID TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  qty REAL NOT NULL DEFAULT 0,
  Sub TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  TaskID TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  TaxCat TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  TaxIDDflt TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  TranAmt REAL NOT NULL DEFAULT 0,
  TranDesc TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  unitdesc TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  UnitPrice REAL NOT NULL DEFAULT 0,
  Status TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Crtd_Date TEXT NOT NULL DEFAULT '1900-01-01',
  Crtd_Prog TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  Crtd_User TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LUpd_Date TEXT NOT NULL DEFAULT '1900-01-01',
  LUpd_Prog TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  LUpd_User TEXT NOT NULL DEFAULT '' COLLATE RTRIM,
  PRIMARY KEY (NATrBatNbr, DetCustID, LineNbr));

-- What the module's screens write (see SecScreenTable); the statement (18700)
-- only reads, so its view right is all it needs. A release that finds the
-- host batch of an earlier, unfinished one removes what the host did not release.
-- AutoNbr_Next keeps the module's last numbers even when it numbers for the AR
-- screens, so they may write those numbers, and nothing else of the setup.
INSERT INTO SecScreenTable VALUES
  ('08010', 'XNASetup(LastNABatNbr,LastNATrBatNbr,tstamp)', 'I', 'U'),
  ('08030', 'XNASetup(LastNABatNbr,LastNATrBatNbr,tstamp)', 'I', 'U'),
  ('18100', 'XNACustP', 'I', 'I'), ('18100', 'XNACustP', 'U', 'U'), ('18100', 'XNACustP', 'D', 'D'),
  ('18100', 'XNACustS', 'I', 'I'), ('18100', 'XNACustS', 'U', 'IUD'), ('18100', 'XNACustS', 'D', 'D'),
  ('18100', 'Customer', 'IUD', 'U'),
  ('18200', 'XNASetup', 'I', 'I'), ('18200', 'XNASetup', 'U', 'U'), ('18200', 'XNASetup', 'D', 'D'),
  ('18300', 'XNAHeader', 'I', 'I'), ('18300', 'XNAHeader', 'UR', 'U'), ('18300', 'XNAHeader', 'D', 'D'),
  ('18300', 'XNADetail', 'I', 'I'), ('18300', 'XNADetail', 'U', 'IUD'), ('18300', 'XNADetail', 'R', 'U'),
  ('18300', 'XNADetail', 'D', 'D'), ('18300', 'XNASetup', 'I', 'U'), ('18300', 'AutoNumber', 'I', 'U'),
  ('18300', 'Batch', 'R', 'D'), ('18300', 'ARDoc', 'R', 'D'), ('18300', 'ARTran', 'R', 'D'),
  ('18300', 'ARAdjust', 'R', 'D'),
  ('18900', 'XNATranHdr', 'I', 'I'), ('18900', 'XNATranHdr', 'UR', 'U'), ('18900', 'XNATranHdr', 'D', 'D'),
  ('18900', 'XNATranDet', 'I', 'I'), ('18900', 'XNATranDet', 'U', 'IUD'), ('18900', 'XNATranDet', 'R', 'U'),
  ('18900', 'XNATranDet', 'D', 'D'), ('18900', 'XNATranDLn', 'I', 'I'), ('18900', 'XNATranDLn', 'UR', 'IUD'),
  ('18900', 'XNATranDLn', 'D', 'D'), ('18900', 'XNASetup', 'I', 'U'), ('18900', 'AutoNumber', 'I', 'U');
