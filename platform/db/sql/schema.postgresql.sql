-- On a server, a user who may not release changes only the AR rows not yet
-- released: what a release made and the balances it set are the release's
-- alone. The members of the company's release role (users who may release in
-- the host's AR screens) may; the role that owns the tables, and with it the
-- administrators, is not held to the rows at all.
CREATE FUNCTION corvena_may_release() RETURNS boolean LANGUAGE sql STABLE AS $$
  SELECT EXISTS (SELECT 1 FROM pg_roles
                 WHERE rolname = left('corvena_' || current_database(), 54) || '_release'
                   AND pg_has_role(oid, 'MEMBER'))
$$;

ALTER TABLE Batch ENABLE ROW LEVEL SECURITY;
CREATE POLICY reading ON Batch FOR SELECT USING (true);
CREATE POLICY entering ON Batch USING (Rlsed = 0 OR corvena_may_release())
  WITH CHECK (Rlsed = 0 OR corvena_may_release());
ALTER TABLE ARDoc ENABLE ROW LEVEL SECURITY;
CREATE POLICY reading ON ARDoc FOR SELECT USING (true);
CREATE POLICY entering ON ARDoc USING (Rlsed = 0 OR corvena_may_release())
  WITH CHECK (Rlsed = 0 OR corvena_may_release());
ALTER TABLE ARTran ENABLE ROW LEVEL SECURITY;
CREATE POLICY reading ON ARTran FOR SELECT USING (true);
CREATE POLICY entering ON ARTran USING (Rlsed = 0 OR corvena_may_release())
  WITH CHECK (Rlsed = 0 OR corvena_may_release());
ALTER TABLE ARAdjust ENABLE ROW LEVEL SECURITY;
CREATE POLICY reading ON ARAdjust FOR SELECT USING (true);
CREATE POLICY entering ON ARAdjust USING (Rlsed = 0 OR corvena_may_release())
  WITH CHECK (Rlsed = 0 OR corvena_may_release());
