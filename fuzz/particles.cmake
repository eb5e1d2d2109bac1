rux_fuzz(particles LIBS ruxlevel)
