/*
 * corvena_hold: the server holds a role off after repeated failed sign-ons, as
 * a company file holds its users off: the first failures in a row are free,
 * then each one holds the role off for 1, 2, 4 ... seconds, at most 15 minutes,
 * and while it is held even the right password is refused alike. A sign-on
 * that passes ends the count. The counts live in the server's shared memory,
 * where no role, the clerk's own included, can reset them; whichever client
 * tries the password is counted. Loaded with shared_preload_libraries.
 */
#include "postgres.h"

#include "fmgr.h"
#include "libpq/auth.h"
#include "libpq/libpq-be.h"
#include "miscadmin.h"
#include "storage/ipc.h"
#include "storage/lwlock.h"
#include "storage/shmem.h"
#include "utils/hsearch.h"
#include "utils/syscache.h"
#include "utils/timestamp.h"

PG_MODULE_MAGIC;

void _PG_init(void);

#define FREE_FAILURES 3
#define LONGEST_HOLD_SECONDS 900
#define ROLES_COUNTED 1024

typedef struct Failures {
  char role[NAMEDATALEN];
  int count;
  TimestampTz heldUntil;
} Failures;

static HTAB *failures;
static LWLock *lock;
static ClientAuthentication_hook_type previousCheck;
static shmem_request_hook_type previousRequest;
static shmem_startup_hook_type previousStartup;

static void request(void) {
  if (previousRequest) previousRequest();
  RequestAddinShmemSpace(hash_estimate_size(ROLES_COUNTED, sizeof(Failures)));
  RequestNamedLWLockTranche("corvena_hold", 1);
}

static void startup(void) {
  HASHCTL info;
  if (previousStartup) previousStartup();
  LWLockAcquire(AddinShmemInitLock, LW_EXCLUSIVE);
  lock = &(GetNamedLWLockTranche("corvena_hold"))->lock;
  memset(&info, 0, sizeof info);
  info.keysize = NAMEDATALEN;
  info.entrysize = sizeof(Failures);
  failures = ShmemInitHash("corvena_hold", ROLES_COUNTED, ROLES_COUNTED, &info,
                           HASH_ELEM | HASH_STRINGS);
  LWLockRelease(AddinShmemInitLock);
}

static TimestampTz holdAfter(int count, TimestampTz now) {
  int seconds = LONGEST_HOLD_SECONDS;
  if (count < FREE_FAILURES) return 0;
  if (count - FREE_FAILURES < 10) seconds = Min(1 << (count - FREE_FAILURES), LONGEST_HOLD_SECONDS);
  return TimestampTzPlusMilliseconds(now, (int64) seconds * 1000);
}

/* True when the role is held off; counts the failure, or ends the count. */
static bool counted(const char *role, bool passed) {
  const TimestampTz now = GetCurrentTimestamp();
  bool found = false, held = false;
  Failures *entry;
  LWLockAcquire(lock, LW_EXCLUSIVE);
  entry = hash_search(failures, role, passed ? HASH_FIND : HASH_ENTER_NULL, &found);
  if (entry && !found) {
    entry->count = 0;
    entry->heldUntil = 0;
  }
  held = entry && entry->heldUntil > now;
  if (entry && passed && !held) {
    hash_search(failures, role, HASH_REMOVE, NULL);
  } else if (entry && !passed && !held) {
    entry->count++;
    entry->heldUntil = holdAfter(entry->count, now);
  }
  LWLockRelease(lock);
  return held;
}

static void check(Port *port, int status) {
  bool held;
  if (previousCheck) previousCheck(port, status);
  /* A client that hung up to ask for the password tried none. */
  if (status == STATUS_EOF || !failures) return;
  /* Only roles that exist are counted, so unknown names cannot crowd them out. */
  if (!SearchSysCacheExists1(AUTHNAME, CStringGetDatum(port->user_name))) return;
  held = counted(port->user_name, status == STATUS_OK);
  if (held && status == STATUS_OK)
    ereport(FATAL, (errcode(ERRCODE_INVALID_PASSWORD),
                    errmsg("password authentication failed for user \"%s\"", port->user_name)));
}

void _PG_init(void) {
  if (!process_shared_preload_libraries_in_progress) return;
  previousRequest = shmem_request_hook;
  shmem_request_hook = request;
  previousStartup = shmem_startup_hook;
  shmem_startup_hook = startup;
  previousCheck = ClientAuthentication_hook;
  ClientAuthentication_hook = check;
}
