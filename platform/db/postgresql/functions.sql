-- Functions SQLite has and the server lacks, so one set of SQL texts runs on both.
-- Every company database on a server gets them when it is created, whatever its schema.

-- ROUND of a floating amount, half away from zero as SQLite rounds.
CREATE FUNCTION round(double precision, integer) RETURNS double precision
  LANGUAGE sql IMMUTABLE AS $$ SELECT round($1::numeric, $2::int)::double precision $$;

-- printf for the conversions the company's SQL uses: %d, %f with a width (or *),
-- a precision and a zero flag, and %%. A missing or NULL argument prints as 0.
CREATE FUNCTION printf(format text, VARIADIC args double precision[]) RETURNS text
  LANGUAGE plpgsql IMMUTABLE AS $$
DECLARE
  result text := '';
  rest text := format;
  arg int := 1;
  m text[];
  width int;
  shown text;
  v double precision;
BEGIN
  WHILE rest <> '' LOOP
    m := regexp_match(rest, '^%(0?)(\*|[0-9]*)(?:\.([0-9]+))?([dfs%])');
    IF left(rest, 1) <> '%' OR m IS NULL THEN
      result := result || left(rest, 1);
      rest := substr(rest, 2);
      CONTINUE;
    END IF;
    rest := substr(rest, length('%' || m[1] || m[2] || COALESCE('.' || m[3], '') || m[4]) + 1);
    IF m[4] = '%' THEN
      result := result || '%';
      CONTINUE;
    END IF;
    width := 0;
    IF m[2] = '*' THEN
      width := COALESCE(args[arg], 0)::int;
      arg := arg + 1;
    ELSIF m[2] <> '' THEN
      width := m[2]::int;
    END IF;
    v := COALESCE(args[arg], 0);
    arg := arg + 1;
    shown := CASE WHEN m[4] = 'f' THEN round(v::numeric, COALESCE(m[3]::int, 6))::text
                  ELSE trunc(v)::bigint::text END;
    IF length(shown) < width THEN
      shown := CASE WHEN m[1] = '0' AND left(shown, 1) = '-'
                    THEN '-' || lpad(substr(shown, 2), width - 1, '0')
                    ELSE lpad(shown, width, CASE WHEN m[1] = '0' THEN '0' ELSE ' ' END) END;
    END IF;
    result := result || shown;
  END LOOP;
  RETURN result;
END $$;
