rux_fuzz(tilemap LIBS ruxlevel)
