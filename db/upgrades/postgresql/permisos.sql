-- Run after the steps of an upgrade: every role that may work on the movements
-- may do the same on the tables the steps added. The record of changes is only
-- added to: no such role may change or delete its rows.
DO $$
DECLARE
    r record;
BEGIN
    FOR r IN SELECT DISTINCT grantee, privilege_type FROM information_schema.role_table_grants
             WHERE table_schema = current_schema() AND table_name = 'movstk' AND grantee <> current_user LOOP
        EXECUTE format('GRANT %s ON ALL TABLES IN SCHEMA %I TO %I', r.privilege_type, current_schema(), r.grantee);
        EXECUTE format('REVOKE UPDATE, DELETE, TRUNCATE ON registro_cambios FROM %I', r.grantee);
    END LOOP;
END
$$;
