-- A customer is the child of at most one parent and never a parent itself, so a
-- link the screen checked can still not be made by two clerks at once.
CREATE TRIGGER XNACustS_ChildNotParent BEFORE INSERT ON XNACustS
WHEN EXISTS (SELECT 1 FROM XNACustP WHERE PrimaryCustId = NEW.SecondaryCustid)
  OR EXISTS (SELECT 1 FROM XNACustS WHERE PrimaryCustId = NEW.SecondaryCustid)
  OR EXISTS (SELECT 1 FROM XNACustS WHERE SecondaryCustid = NEW.PrimaryCustId)
BEGIN
  SELECT RAISE(ABORT, 'A customer that heads a national account or belongs to one cannot be linked this way.');
END;
CREATE TRIGGER XNACustS_ChildNotParentUpd BEFORE UPDATE OF PrimaryCustId, SecondaryCustid ON XNACustS
WHEN EXISTS (SELECT 1 FROM XNACustP WHERE PrimaryCustId = NEW.SecondaryCustid)
  OR EXISTS (SELECT 1 FROM XNACustS WHERE PrimaryCustId = NEW.SecondaryCustid)
  OR EXISTS (SELECT 1 FROM XNACustS WHERE SecondaryCustid = NEW.PrimaryCustId)
BEGIN
  SELECT RAISE(ABORT, 'A customer that heads a national account or belongs to one cannot be linked this way.');
END;
CREATE TRIGGER XNACustP_ParentNotChild BEFORE INSERT ON XNACustP
WHEN EXISTS (SELECT 1 FROM XNACustS WHERE SecondaryCustid = NEW.PrimaryCustId)
BEGIN
  SELECT RAISE(ABORT, 'A child customer of a national account cannot head one.');
END;

-- Finance charges of a child follow the option of its national account from
-- the moment it is linked, and its own again once it is removed.
CREATE TRIGGER XNACustS_LinkFinChrg AFTER INSERT ON XNACustS
BEGIN
  UPDATE Customer SET FinChrgCustId = NEW.PrimaryCustId
  WHERE CustId = NEW.SecondaryCustid
    AND EXISTS (SELECT 1 FROM XNACustP WHERE PrimaryCustId = NEW.PrimaryCustId AND FinanceChrg = 1);
END;
CREATE TRIGGER XNACustS_UnlinkFinChrg AFTER DELETE ON XNACustS
BEGIN
  UPDATE Customer SET FinChrgCustId = CustId
  WHERE CustId = OLD.SecondaryCustid AND FinChrgCustId = OLD.PrimaryCustId;
END;
