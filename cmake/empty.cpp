// Keeps the portable library non-empty while a subsystem has no portable units yet.
