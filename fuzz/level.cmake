rux_fuzz(level LIBS ruxlevel)
