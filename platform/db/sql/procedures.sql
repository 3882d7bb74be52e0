-- Host procedures. A pattern (LIKE) ends in % to match what starts with it; lists come ordered by their key.

-- (company pattern, customer pattern, document type, reference)
-- procedure ARDoc_CpnyID_Type_Ref2 4
SELECT * FROM ARDoc
WHERE CpnyID LIKE ?1 AND CustId LIKE ?2 AND DocType = ?3 AND RefNbr = ?4
ORDER BY CustId, DocType, RefNbr;

-- (reference)
-- procedure ARDoc_RefNbr 1
SELECT * FROM ARDoc WHERE RefNbr = ?1 ORDER BY CustId, DocType;

-- (customer pattern)
-- procedure Customer_all 1
SELECT * FROM Customer WHERE CustId LIKE ?1 ORDER BY CustId;

-- (customer pattern) customers with status active. A pattern without a closing
-- '%' is one ID in any case, found by its folded index rather than by reading
-- every customer: a screen checks each customer typed into it so.
-- procedure Customer_Active 1
SELECT * FROM Customer
WHERE substr(?1, length(?1), 1) <> '%' AND lower(CustId) = lower(?1)
  AND CustId LIKE ?1 AND Status = 'A'
UNION ALL
SELECT * FROM Customer
WHERE substr(?1, length(?1), 1) = '%' AND CustId LIKE ?1 AND Status = 'A'
ORDER BY CustId;

-- ()
-- procedure arsetup_all 0
SELECT * FROM ARSetup ORDER BY SetupId;

-- ()
-- procedure glsetup_all 0
SELECT * FROM GLSetup ORDER BY SetupId;

-- ()
-- procedure PCSetup_All 0
SELECT * FROM PCSetup ORDER BY SetupId;

-- (control type, control code)
-- procedure PJCONTRL_SPK0 2
SELECT * FROM PJContrl WHERE control_type LIKE ?1 AND control_code LIKE ?2
ORDER BY control_type, control_code;

-- (company pattern)
-- procedure Company_All 1
SELECT * FROM Company WHERE CpnyID LIKE ?1 ORDER BY CpnyID;

-- (GL account pattern) the project account an account posts to
-- procedure PJ_Account_Spk0 1
SELECT * FROM PJ_Account WHERE gl_acct LIKE ?1 ORDER BY gl_acct;

-- (account pattern)
-- procedure account_all 1
SELECT * FROM Account WHERE Acct LIKE ?1 ORDER BY Acct;

-- (subaccount pattern)
-- procedure subacct_sub_active 1
SELECT * FROM SubAcct WHERE Sub LIKE ?1 AND Active = 1 ORDER BY Sub;

-- (company, subaccount pattern, account pattern) accounts valid with some subaccount
-- procedure AcctSub_Acct 3
SELECT a.* FROM Account a
WHERE a.Acct LIKE ?3 AND EXISTS (
  SELECT 1 FROM AcctSub s
  WHERE s.Acct = a.Acct AND s.CpnyID LIKE ?1 AND s.Sub LIKE ?2 AND s.Active = 1)
ORDER BY a.Acct;

-- (company, account pattern, subaccount pattern) subaccounts valid with some account
-- procedure AcctSub_Sub 3
SELECT b.* FROM SubAcct b
WHERE b.Sub LIKE ?3 AND EXISTS (
  SELECT 1 FROM AcctSub s
  WHERE s.Sub = b.Sub AND s.CpnyID LIKE ?1 AND s.Acct LIKE ?2 AND s.Active = 1)
ORDER BY b.Sub;

-- (chart of accounts company, account pattern)
-- procedure acctxref_acct 2
SELECT * FROM AcctXref WHERE CpnyID = ?1 AND Acct LIKE ?2 AND Active = 1 ORDER BY Acct;

-- (subaccount format company, subaccount pattern)
-- procedure subxref_sub 2
SELECT * FROM SubXref WHERE CpnyID = ?1 AND Sub LIKE ?2 AND Active = 1 ORDER BY Sub;

-- (project pattern) active projects
-- procedure pjproj_spk5 1
SELECT * FROM PJProj WHERE project LIKE ?1 AND status_pa = 'A' ORDER BY project;

-- (project, task pattern) active tasks of the project
-- procedure pjpent_spk5 2
SELECT * FROM PJPent WHERE project = ?1 AND pjt_entity LIKE ?2 AND status_pa = 'A'
ORDER BY pjt_entity;

-- (company, destination pattern, screen, module, company, company pattern) the company
-- itself and the companies it may enter documents for from that screen and module
-- procedure intercpny_cpnyid_module1 6
SELECT c.* FROM Company c
WHERE c.CpnyID LIKE ?6 AND c.Active = 1
  AND (c.CpnyID = ?1 OR c.CpnyID IN (
    SELECT ToCompany FROM InterCpny
    WHERE FromCompany = ?5 AND ToCompany LIKE ?2 AND Module = ?4 AND Screen IN (?3, 'ALL')))
ORDER BY c.CpnyID;

-- (tax category pattern)
-- procedure slstaxcat_all 1
SELECT * FROM SlsTaxCat WHERE CatId LIKE ?1 ORDER BY CatId;

-- (tax ID pattern)
-- procedure SalesTax_All 1
SELECT * FROM SalesTax WHERE TaxId LIKE ?1 ORDER BY TaxId;

-- (batch pattern) the AR batches the invoice and memo screen entered
-- procedure ARBatch_Invoices 1
SELECT * FROM Batch WHERE Module = 'AR' AND EditScrnNbr = '08010' AND BatNbr LIKE ?1
ORDER BY BatNbr;

-- (batch pattern) the AR batches the payment application screen entered
-- procedure ARBatch_Payments 1
SELECT * FROM Batch WHERE Module = 'AR' AND EditScrnNbr = '08030' AND BatNbr LIKE ?1
ORDER BY BatNbr;

-- (batch, reference pattern) the documents entered in an AR batch
-- procedure ARDoc_Batch 2
SELECT * FROM ARDoc WHERE BatNbr = ?1 AND BatNbr <> '' AND RefNbr LIKE ?2 ORDER BY RefNbr;

-- (batch, reference, lowest and highest line) a document's lines
-- procedure ARTran_Doc 4
SELECT * FROM ARTran WHERE BatNbr = ?1 AND RefNbr = ?2 AND LineNbr BETWEEN ?3 AND ?4
ORDER BY LineNbr;

-- (customer, document type, reference) every application to the document and by it;
-- a reversal's rows take an application back
-- procedure ARDoc_Applications 3
SELECT CASE WHEN CuryAdjdAmt + CuryAdjdDiscAmt < 0 THEN 'Reversed' ELSE 'Paid by' END AS Relation, AdjgDocType AS OtherType, AdjgRefNbr AS OtherRef,
       CuryAdjdAmt AS Amount, CuryAdjdDiscAmt AS Discount, AdjgDocDate AS ApplDate,
       AdjBatNbr AS BatNbr, CASE Rlsed WHEN 1 THEN 'Yes' ELSE 'No' END AS Released
FROM ARAdjust WHERE CustId = ?1 AND AdjdDocType = ?2 AND AdjdRefNbr = ?3
UNION ALL
SELECT CASE WHEN CuryAdjdAmt + CuryAdjdDiscAmt < 0 THEN 'Reversed' ELSE 'Paid' END,
       AdjdDocType, AdjdRefNbr, CuryAdjdAmt, CuryAdjdDiscAmt, AdjgDocDate, AdjBatNbr,
       CASE Rlsed WHEN 1 THEN 'Yes' ELSE 'No' END
FROM ARAdjust WHERE CustId = ?1 AND AdjgDocType = ?2 AND AdjgRefNbr = ?3
ORDER BY ApplDate, BatNbr;

-- (user or group pattern) Users and Rights' users and groups; a group is named by
-- a membership or a grant and is not a user
-- procedure SecGrantee_Nav 1
SELECT UserId, 'U' AS Kind, UserName, Administrator FROM SecUser WHERE UserId LIKE ?1
UNION
SELECT GroupId, 'G', '', 0 FROM SecGroupMember
WHERE GroupId LIKE ?1 AND GroupId NOT IN (SELECT UserId FROM SecUser)
UNION
SELECT Grantee, 'G', '', 0 FROM SecRight
WHERE Grantee LIKE ?1 AND Grantee NOT IN (SELECT UserId FROM SecUser)
ORDER BY 1;

-- (user or group) the groups a user is in, or a group's members
-- procedure SecMember_Grantee 1
SELECT GroupId AS MemberId FROM SecGroupMember WHERE UserId = ?1
UNION
SELECT UserId FROM SecGroupMember WHERE GroupId = ?1
ORDER BY 1;

-- (user or group) its rights, screen by screen
-- procedure SecRight_Grantee 1
SELECT ScreenNbr, Rights FROM SecRight WHERE Grantee = ?1 ORDER BY ScreenNbr;
