# Failures nobody asked for (a LibreOffice call that refused, a fault in the
# extension) go to a log file in LibreOffice's user profile, where a user or a
# bug report can find them: <profile>/user/molvex2/extension.log.
import logging
import logging.handlers
import os
import sys
from typing import Any, Optional

import uno
from com.sun.star.uno import Exception as UnoException

log = logging.getLogger("molvex2")
_LOG_BYTES = 256 * 1024


def log_path(ctx: Any) -> Optional[str]:
    """The log file in the user profile, or None when the profile has no local path."""
    try:
        subst = ctx.ServiceManager.createInstanceWithContext("com.sun.star.util.PathSubstitution", ctx)
        user = uno.fileUrlToSystemPath(subst.substituteVariables("$(user)", True))
    except (UnoException, ValueError):  # no local profile folder: stderr it is
        return None
    return os.path.join(user, "molvex2", "extension.log")


def setup(ctx: Any) -> None:
    """Once per office: the log goes to the profile (stderr when that fails)."""
    if log.handlers:
        return
    log.setLevel(logging.INFO)
    log.propagate = False
    path = log_path(ctx)
    handler: logging.Handler
    try:
        if path is None:
            raise OSError("no user profile folder")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        handler = logging.handlers.RotatingFileHandler(path, maxBytes=_LOG_BYTES, backupCount=1, encoding="utf-8")
    except OSError:
        handler = logging.StreamHandler(sys.stderr)
    handler.setFormatter(logging.Formatter("%(asctime)s %(levelname)s %(message)s"))
    log.addHandler(handler)
