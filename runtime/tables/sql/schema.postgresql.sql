-- The triggers of schema.sqlite.sql as the server spells them: a trigger runs a
-- function, and a refusal is an exception carrying the same words.

CREATE FUNCTION XNACustS_ChildNotParent() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
  IF EXISTS (SELECT 1 FROM XNACustP WHERE PrimaryCustId = NEW.SecondaryCustid)
     OR EXISTS (SELECT 1 FROM XNACustS WHERE PrimaryCustId = NEW.SecondaryCustid)
     OR EXISTS (SELECT 1 FROM XNACustS WHERE SecondaryCustid = NEW.PrimaryCustId) THEN
    RAISE EXCEPTION 'A customer that heads a national account or belongs to one cannot be linked this way.';
  END IF;
  RETURN NEW;
END $$;
CREATE TRIGGER XNACustS_ChildNotParent BEFORE INSERT OR UPDATE OF PrimaryCustId, SecondaryCustid
  ON XNACustS FOR EACH ROW EXECUTE FUNCTION XNACustS_ChildNotParent();

CREATE FUNCTION XNACustP_ParentNotChild() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
  IF EXISTS (SELECT 1 FROM XNACustS WHERE SecondaryCustid = NEW.PrimaryCustId) THEN
    RAISE EXCEPTION 'A child customer of a national account cannot head one.';
  END IF;
  RETURN NEW;
END $$;
CREATE TRIGGER XNACustP_ParentNotChild BEFORE INSERT ON XNACustP
  FOR EACH ROW EXECUTE FUNCTION XNACustP_ParentNotChild();

-- Finance charges of a child follow the option of its national account from
-- the moment it is linked, and its own again once it is removed.
CREATE FUNCTION XNACustS_FinChrg() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
  IF TG_OP = 'INSERT' THEN
    UPDATE Customer SET FinChrgCustId = NEW.PrimaryCustId
    WHERE CustId = NEW.SecondaryCustid
      AND EXISTS (SELECT 1 FROM XNACustP WHERE PrimaryCustId = NEW.PrimaryCustId AND FinanceChrg = 1);
    RETURN NEW;
  END IF;
  UPDATE Customer SET FinChrgCustId = CustId
  WHERE CustId = OLD.SecondaryCustid AND FinChrgCustId = OLD.PrimaryCustId;
  RETURN OLD;
END $$;
CREATE TRIGGER XNACustS_FinChrg AFTER INSERT OR DELETE ON XNACustS
  FOR EACH ROW EXECUTE FUNCTION XNACustS_FinChrg();
