# Installation rules are added here.
