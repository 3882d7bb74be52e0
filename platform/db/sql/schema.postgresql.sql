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

DO $$
DECLARE t text;
BEGIN
  FOREACH t IN ARRAY ARRAY['batch', 'ardoc', 'artran', 'aradjust'] LOOP
    EXECUTE format('ALTER TABLE %I ENABLE ROW LEVEL SECURITY', t);
    EXECUTE format('CREATE POLICY reading ON %I FOR SELECT USING (true)', t);
    EXECUTE format('CREATE POLICY entering ON %I USING (Rlsed = 0 OR corvena_may_release())'
                   ' WITH CHECK (Rlsed = 0 OR corvena_may_release())', t);
  END LOOP;
END $$;
