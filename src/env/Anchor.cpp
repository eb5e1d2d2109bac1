namespace env_anchor { int anchor = 0; }
