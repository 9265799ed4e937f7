// placeholder until the host server lands
