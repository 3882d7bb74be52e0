-- The module's procedures. A pattern (LIKE) ends in % to match what starts with
-- it; navigation and possible-value lists come ordered by their key.

-- (parent) released, open invoices, debit memos and finance charges with a balance,
-- of the parent and all its children
-- procedure XNAARDoc_OpenDetails 1
SELECT d.* FROM ARDoc d
WHERE d.Rlsed = 1 AND d.OpenDoc = 1 AND d.DocType IN ('IN', 'DM', 'FI') AND d.CuryDocBal > 0
  AND d.CustId IN (SELECT ?1 UNION SELECT SecondaryCustid FROM XNACustS WHERE PrimaryCustId = ?1)
ORDER BY d.CustId, d.DueDate, d.RefNbr;

-- (reference, customer) the released invoice, debit memo or finance charge
-- procedure XNAARDoc_Closed 2
SELECT * FROM ARDoc
WHERE RefNbr = ?1 AND CustId = ?2 AND Rlsed = 1 AND DocType IN ('IN', 'DM', 'FI')
ORDER BY DocType;

-- (batch)
-- procedure XNADetail_BatNbr 1
SELECT * FROM XNADetail WHERE NABatNbr = ?1 ORDER BY CustId, DocType, RefNbr;

-- (customer, reference, document type) the document's application in a batch not yet
-- closed; a closed batch's application is already in the document's balance, as is that
-- of a batch whose release AR completed before its header could close (it closes on recall)
-- procedure XNADetail_RefNbr 3
SELECT d.* FROM XNADetail d
WHERE d.CustId = ?1 AND d.RefNbr = ?2 AND d.DocType = ?3 AND d.LineStatus <> 'C'
  AND NOT EXISTS (SELECT 1 FROM XNAHeader h WHERE h.NABatNbr = d.NABatNbr
                  AND (h.Status = 'C' OR EXISTS (SELECT 1 FROM Batch b WHERE b.Module = 'AR' AND b.BatNbr = h.ARBatNbr AND b.Rlsed = 1)))
ORDER BY d.NABatNbr;

-- The grid's load reads what each line's look-ups (XNADetail_RefNbr, UnrlsedPayCheck,
-- XNAARDoc_Closed, Customer_all) would find for the whole account or batch at once,
-- so that its statements do not grow with the lines.

-- (parent) XNADetail_RefNbr of every document XNAARDoc_OpenDetails lists
-- procedure XNADetail_OpenDetails 1
SELECT x.* FROM ARDoc d
JOIN XNADetail x ON x.RefNbr = d.RefNbr AND x.CustId = d.CustId AND x.DocType = d.DocType
WHERE d.Rlsed = 1 AND d.OpenDoc = 1 AND d.DocType IN ('IN', 'DM', 'FI') AND d.CuryDocBal > 0
  AND d.CustId IN (SELECT ?1 UNION SELECT SecondaryCustid FROM XNACustS WHERE PrimaryCustId = ?1)
  AND x.LineStatus <> 'C'
  AND NOT EXISTS (SELECT 1 FROM XNAHeader h WHERE h.NABatNbr = x.NABatNbr
                  AND (h.Status = 'C' OR EXISTS (SELECT 1 FROM Batch b WHERE b.Module = 'AR' AND b.BatNbr = h.ARBatNbr AND b.Rlsed = 1)))
ORDER BY x.NABatNbr;

-- (parent) UnrlsedPayCheck of every document XNAARDoc_OpenDetails lists: the
-- documents an unreleased application touches, once each
-- procedure XUnrlsedPay_OpenDetails 1
SELECT DISTINCT j.CustId, j.AdjdDocType, j.AdjdRefNbr FROM ARDoc d
JOIN ARAdjust j ON j.AdjdRefNbr = d.RefNbr AND j.AdjdDocType = d.DocType AND j.CustId = d.CustId
WHERE d.Rlsed = 1 AND d.OpenDoc = 1 AND d.DocType IN ('IN', 'DM', 'FI') AND d.CuryDocBal > 0
  AND d.CustId IN (SELECT ?1 UNION SELECT SecondaryCustid FROM XNACustS WHERE PrimaryCustId = ?1)
  AND j.Rlsed = 0
ORDER BY j.CustId, j.AdjdDocType, j.AdjdRefNbr;

-- (batch) the balances and dates of the documents the batch applies to, by customer and reference
-- procedure XNAARDoc_ClosedBatch 1
SELECT a.CustId, a.DocType, a.RefNbr, a.CuryDocBal, a.DueDate, a.CuryDiscBal, a.DiscDate
FROM XNADetail x
JOIN ARDoc a ON a.RefNbr = x.RefNbr AND a.CustId = x.CustId
WHERE x.NABatNbr = ?1 AND a.Rlsed = 1 AND a.DocType IN ('IN', 'DM', 'FI')
ORDER BY a.CustId, a.RefNbr, a.DocType;

-- (parent) the parent and its children
-- procedure XNACustomer_Family 1
SELECT c.* FROM Customer c
WHERE c.CustId IN (SELECT ?1 UNION SELECT SecondaryCustid FROM XNACustS WHERE PrimaryCustId = ?1)
ORDER BY c.CustId;

-- (batch) the customers of the batch's applications
-- procedure XNACustomer_Batch 1
SELECT c.* FROM Customer c
WHERE c.CustId IN (SELECT CustId FROM XNADetail WHERE NABatNbr = ?1)
ORDER BY c.CustId;

-- (batch) the batch's documents another batch not yet closed holds: a document one
-- open batch holds is offered to no other. A row whose batch is gone holds its
-- document too, as it did its balance. Read inside the save's transaction.
-- procedure XNADetail_HeldElsewhere 1
SELECT o.NABatNbr, d.CustId, d.DocType, d.RefNbr FROM XNADetail d
JOIN XNADetail o ON o.RefNbr = d.RefNbr AND o.CustId = d.CustId AND o.DocType = d.DocType
  AND o.NABatNbr <> d.NABatNbr AND o.LineStatus <> 'C'
LEFT JOIN XNAHeader h ON h.NABatNbr = o.NABatNbr
WHERE d.NABatNbr = ?1
  AND (h.NABatNbr IS NULL
       OR (h.Status <> 'C' AND NOT EXISTS (SELECT 1 FROM Batch b WHERE b.Module = 'AR' AND b.BatNbr = h.ARBatNbr AND b.Rlsed = 1)))
ORDER BY d.CustId, d.DocType, d.RefNbr, o.NABatNbr;

-- (batch) the batch's applications to documents that cannot take them: the document's
-- released balance less what this batch and the host's unreleased payments apply to
-- it is below zero (a host batch a batch's release left unreleased is that batch's
-- own lines again). What other batches hold is XNADetail_HeldElsewhere's, which the
-- save refuses first, so it is not summed again here. Read inside the save's
-- transaction, after the batch's rows are written, so two clerks never both take
-- one balance. A batch holds a document once, so its own share is the row itself.
-- procedure XNADetail_Overapplied 1
SELECT d.* FROM XNADetail d
LEFT JOIN ARDoc a ON a.CustId = d.CustId AND a.DocType = d.DocType AND a.RefNbr = d.RefNbr
WHERE d.NABatNbr = ?1
  AND ROUND(CASE WHEN d.LineStatus <> 'C'
                  AND NOT EXISTS (SELECT 1 FROM XNAHeader h
                                  WHERE h.NABatNbr = ?1
                                    AND (h.Status = 'C' OR EXISTS (SELECT 1 FROM Batch b WHERE b.Module = 'AR' AND b.BatNbr = h.ARBatNbr AND b.Rlsed = 1)))
                 THEN d.CuryApplAmt + d.DiscAmt ELSE 0 END
          + (SELECT COALESCE(SUM(j.CuryAdjdAmt + j.CuryAdjdDiscAmt), 0) FROM ARAdjust j
             WHERE j.AdjdRefNbr = d.RefNbr AND j.AdjdDocType = d.DocType AND j.CustId = d.CustId
               AND j.Rlsed = 0
               AND NOT EXISTS (SELECT 1 FROM XNAHeader n
                               WHERE n.ARBatNbr = j.AdjBatNbr AND n.Status <> 'C'))
          - COALESCE(CASE WHEN a.Rlsed = 1 THEN a.CuryDocBal END, 0), 2) > 0
ORDER BY d.CustId, d.DocType, d.RefNbr;

-- (batch)
-- procedure XNADetail_DeleteBatch 1
DELETE FROM XNADetail WHERE NABatNbr = ?1;

-- (company pattern, reference, customer pattern) batches using the payment reference
-- procedure XNAHeader_RefNbr 3
SELECT * FROM XNAHeader WHERE CpnyId LIKE ?1 AND RefNbr = ?2 AND CustId LIKE ?3
ORDER BY NABatNbr;

-- (reference) open balance of the released credit memo, payment or prepayment; 0 when none
-- procedure XGet_OpenBal 1
SELECT COALESCE((
  SELECT CuryDocBal FROM ARDoc
  WHERE RefNbr = ?1 AND DocType IN ('CM', 'PA', 'PP') AND Rlsed = 1
  ORDER BY CustId, DocType LIMIT 1), 0.0) AS OpenBal;

-- (reference, document type, customer) unreleased applications to the document
-- procedure UnrlsedPayCheck 3
SELECT * FROM ARAdjust
WHERE AdjdRefNbr = ?1 AND AdjdDocType = ?2 AND CustId = ?3 AND Rlsed = 0
ORDER BY AdjBatNbr;

-- (host batch) the unreleased applications, lines and documents entered under the batch
-- procedure DeleteRefNbr 1
DELETE FROM ARAdjust WHERE AdjBatNbr = ?1 AND Rlsed = 0;
DELETE FROM ARTran WHERE BatNbr = ?1 AND Rlsed = 0;
DELETE FROM ARDoc WHERE BatNbr = ?1 AND Rlsed = 0;

-- (host batch) the unreleased AR batch itself
-- procedure XNAApp_DeleteBatch 1
DELETE FROM Batch WHERE Module = 'AR' AND BatNbr = ?1 AND Rlsed = 0;

-- (parent pattern, child pattern)
-- procedure XNACustS_Primary 2
SELECT * FROM XNACustS WHERE PrimaryCustId LIKE ?1 AND SecondaryCustid LIKE ?2
ORDER BY PrimaryCustId, SecondaryCustid;

-- (parent, 1 on / 0 off) finance charges of the national account: when on, every child's
-- FinChrgCustId names the parent, so charges are based on the parent's terms and
-- balance; when off, each child is based on itself again. The parent is always its own.
-- procedure XNAUpdateFinChrg 2
UPDATE Customer SET FinChrgCustId = CASE WHEN CAST(?2 AS INTEGER) = 1 THEN ?1 ELSE CustId END
WHERE CustId IN (SELECT SecondaryCustid FROM XNACustS WHERE PrimaryCustId = ?1);
UPDATE Customer SET FinChrgCustId = CustId WHERE CustId = ?1;

-- (customer, reference pattern) released credit memos and payments with a balance
-- procedure XArdocCMPA_CustID_RefNbr 2
SELECT * FROM ARDoc
WHERE CustId = ?1 AND RefNbr LIKE ?2 AND DocType IN ('CM', 'PA') AND Rlsed = 1 AND CuryDocBal > 0
ORDER BY RefNbr, DocType;

-- (customer, reference pattern) the customer's credit and debit memos
-- procedure XArdocCM_CustID_RefNbr 2
SELECT * FROM ARDoc WHERE CustId = ?1 AND RefNbr LIKE ?2 AND DocType IN ('CM', 'DM')
ORDER BY RefNbr, DocType;

-- (customer, document type, reference, batch) the other transfer batches holding part of
-- the source document, in SrcAmt what each holds: its amount, until the source is
-- applied to the batch's debit memo
-- procedure XNATranHdr_SourceHeld 4
SELECT * FROM (
  SELECT h.NATrBatNbr, h.Status, h.ARDMRefNbr,
    ROUND(h.SrcAmt - COALESCE((SELECT SUM(a.CuryAdjdAmt) FROM ARAdjust a
      WHERE a.Rlsed = 1 AND a.CustId = h.SrcCustID AND a.AdjgDocType = h.SrcDocType
        AND a.AdjgRefNbr = h.SrcRefNbr AND a.AdjdDocType = 'DM' AND h.ARDMRefNbr <> ''
        AND a.AdjdRefNbr = h.ARDMRefNbr), 0), 2) AS SrcAmt
  FROM XNATranHdr h
  WHERE h.SrcCustID = ?1 AND h.SrcDocType = ?2 AND h.SrcRefNbr = ?3 AND h.NATrBatNbr <> ?4) held
WHERE held.SrcAmt > 0
ORDER BY held.NATrBatNbr;

-- (batch, destination, lowest line number, highest line number)
-- procedure XNATranDLn_All 4
SELECT * FROM XNATranDLn
WHERE NATrBatNbr = ?1 AND DetCustID = ?2 AND LineNbr BETWEEN ?3 AND ?4
ORDER BY LineNbr;

-- (batch) the destinations that have lines
-- procedure XNATranDLn_Destinations 1
SELECT DISTINCT DetCustID FROM XNATranDLn WHERE NATrBatNbr = ?1 ORDER BY DetCustID;

-- (batch, destination pattern)
-- procedure XNATranDet_All 2
SELECT * FROM XNATranDet WHERE NATrBatNbr = ?1 AND DestCustID LIKE ?2 ORDER BY DestCustID;

-- (batch pattern)
-- procedure XNATranHdr_all 1
SELECT * FROM XNATranHdr WHERE NATrBatNbr LIKE ?1 ORDER BY NATrBatNbr;

-- (company pattern, batch pattern)
-- procedure xNAHeader_all 2
SELECT * FROM XNAHeader WHERE CpnyId LIKE ?1 AND NABatNbr LIKE ?2 ORDER BY NABatNbr;

-- (parent pattern)
-- procedure XNACustP_DBNav 1
SELECT * FROM XNACustP WHERE PrimaryCustId LIKE ?1 ORDER BY PrimaryCustId;

-- (parent, child pattern) the link rows with the child's customer columns; the
-- customer's audit columns stay out so the link's own are the ones read
-- procedure XNACustS_DBNav 2
SELECT s.*, c.CustId, c.Name, c.Addr1, c.Addr2, c.City, c.State, c.Zip, c.Country, c.Phone,
  c.Attn, c.StmtCycleId, c.ArAcct, c.ArSub, c.Status, c.Terms, c.ClassId, c.CreditLimit,
  c.CuryId, c.FinChrgCustId
FROM XNACustS s LEFT JOIN Customer c ON c.CustId = s.SecondaryCustid
WHERE s.PrimaryCustId = ?1 AND s.SecondaryCustid LIKE ?2
ORDER BY s.SecondaryCustid;

-- (customer pattern) customers that are national-account parents
-- procedure XNACustomerList 1
SELECT c.* FROM Customer c
WHERE c.CustId LIKE ?1 AND EXISTS (SELECT 1 FROM XNACustP p WHERE p.PrimaryCustId = c.CustId)
ORDER BY c.CustId;

-- (parent, parent, document type, reference pattern) the parent's released credit
-- documents of that type (CM, PA, PP) with a balance
-- procedure XNAShowAllClosedDocsForParent 4
SELECT * FROM ARDoc
WHERE CustId IN (?1, ?2) AND DocType = ?3 AND RefNbr LIKE ?4 AND Rlsed = 1 AND CuryDocBal > 0
ORDER BY RefNbr;

-- (parent) the parent and its children, for a remittance that names its stores
-- procedure XNARemit_Customers 1
SELECT c.* FROM Customer c
WHERE c.CustId IN (SELECT ?1 UNION SELECT SecondaryCustid FROM XNACustS WHERE PrimaryCustId = ?1)
ORDER BY c.CustId;

-- (parent) every released invoice, debit memo and finance charge of the national
-- account, open or not: a remittance line naming one the grid leaves out is told why
-- procedure XNARemit_Documents 1
SELECT d.* FROM ARDoc d
WHERE d.Rlsed = 1 AND d.DocType IN ('IN', 'DM', 'FI')
  AND d.CustId IN (SELECT ?1 UNION SELECT SecondaryCustid FROM XNACustS WHERE PrimaryCustId = ?1)
ORDER BY d.CustId, d.DocType, d.RefNbr;

-- (reference pattern) applied documents
-- procedure XNAREFNBR_ALL 1
SELECT * FROM XNADetail WHERE RefNbr LIKE ?1 ORDER BY RefNbr, NABatNbr;

-- (parent, reference pattern) the parent's national-account payments
-- procedure xnachknbr_all 2
SELECT * FROM XNAHeader WHERE CustId = ?1 AND RefNbr LIKE ?2 ORDER BY RefNbr, NABatNbr;

-- (customer, reference pattern) host payments made for the customer by releases
-- procedure xnacorchknbr_all 2
SELECT * FROM XNADetail WHERE CustId = ?1 AND ARRefNbr LIKE ?2 AND ARRefNbr <> ''
ORDER BY ARRefNbr, NABatNbr;

-- (numbering source) advances the source's last number and returns it, keeping its
-- width with leading zeros (10 digits when blank or not a number). The module's sources keep their
-- numbers in XNASetup, where its setup screen shows them, and go past every batch
-- already numbered, so a last number typed wrong never hands out a used one; the
-- row's stamp moves, so a setup screen still showing the old number cannot write it
-- back. A number that would outgrow its width is not handed out: nothing is
-- returned. Others keep theirs in AutoNumber. Call inside a transaction so that the
-- advance and the read are one step for other processes.
-- procedure AutoNbr_Next 1
UPDATE AutoNumber
SET LastNbr = printf('%0*d', CASE WHEN LastNbr = '' THEN 10 ELSE length(LastNbr) END,
                     CASE WHEN LTRIM(LastNbr, '0123456789') = '' AND LastNbr <> ''
                          THEN CAST(LastNbr AS INTEGER) ELSE 0 END + 1)
WHERE Source = ?1;
UPDATE XNASetup
SET LastNABatNbr = (
      SELECT printf('%0*d', w, CASE WHEN n < 10000000000 THEN n ELSE n - 1 END)
      FROM (SELECT w, CASE WHEN own > used THEN own ELSE used END + 1 AS n
            FROM (SELECT CASE WHEN LTRIM(LastNABatNbr, '0123456789') = '' AND LastNABatNbr <> ''
                              THEN length(LastNABatNbr) ELSE 10 END AS w,
                         CASE WHEN LTRIM(LastNABatNbr, '0123456789') = '' AND LastNABatNbr <> ''
                              THEN CAST(LastNABatNbr AS INTEGER) ELSE 0 END AS own,
                         COALESCE((SELECT MAX(CAST(NABatNbr AS INTEGER)) FROM XNAHeader
                                   WHERE LTRIM(NABatNbr, '0123456789') = '' AND NABatNbr <> ''),
                                  0) AS used) AS last_numbers) AS next_number),
    tstamp = tstamp + 1
WHERE ?1 = 'XNAPaymentAutoNbr';
UPDATE XNASetup
SET LastNATrBatNbr = printf('%0*d',
                            CASE WHEN LastNATrBatNbr = '' THEN 10 ELSE length(LastNATrBatNbr) END,
                            CASE WHEN LTRIM(LastNATrBatNbr, '0123456789') = '' AND LastNATrBatNbr <> ''
                                 THEN CAST(LastNATrBatNbr AS INTEGER) ELSE 0 END + 1),
    tstamp = tstamp + 1
WHERE ?1 = 'XNATransferAutoNbr';
SELECT LastNbr FROM AutoNumber WHERE Source = ?1
UNION ALL SELECT LastNABatNbr FROM XNASetup
  WHERE ?1 = 'XNAPaymentAutoNbr' AND LastNABatNbr NOT IN (SELECT NABatNbr FROM XNAHeader)
UNION ALL SELECT LastNATrBatNbr FROM XNASetup WHERE ?1 = 'XNATransferAutoNbr';

-- (batch, host batch) a release AR completed: each applied line records the host
-- payment that paid it, and the batch closes with the host batch's number
-- procedure XNAHeader_Released 2
UPDATE XNADetail SET LineStatus = 'C',
  ARRefNbr = COALESCE((SELECT MIN(j.AdjgRefNbr) FROM ARAdjust j
                       WHERE j.AdjBatNbr = ?2 AND j.CustId = XNADetail.CustId
                         AND j.AdjdDocType = XNADetail.DocType AND j.AdjdRefNbr = XNADetail.RefNbr),
                      ARRefNbr)
WHERE NABatNbr = ?1 AND CuryApplAmt <> 0;
UPDATE XNAHeader SET Status = 'C', ARBatNbr = ?2 WHERE NABatNbr = ?1;
