<?xml version="1.0"  encoding="utf-8"?>
	<adc_database xmlns="http://www.accuweather.com">
		<units>
			<temp>C</temp>
			<dist>KM</dist>
			<speed>KM/H</speed>
			<pres>MB</pres>
			<prec>MM</prec>
		</units>
	
	<local>
	<city>Washington</city>
	<state>DC</state>
	<adminArea code="DC">District of Columbia</adminArea> 
        <country code="US">United States</country>
	<cityId>327659</cityId>
	<primaryPostalCode>20001</primaryPostalCode>
	
    <locationKey>327659</locationKey>
	
	<lat>38.8951</lat> 
	<lon>-77.03637</lon> 
	<time>14:53</time> 
	<timeZone>-5</timeZone>
	<obsDaylight>
	1
	</obsDaylight>
	<currentGmtOffset>-4</currentGmtOffset>
	<timeZoneAbbreviation>EDT</timeZoneAbbreviation>	
	</local>
	
					<watchwarnareas zone="DCZ001" county="DCC001" isactive="1">
					
						<url>http://127.0.0.1:8080/accu/watches-warnings.asp?partner=kovix&amp;zipcode=20001&amp;county=DCC001&amp;zone=DCZ001</url>
					
					</watchwarnareas>
					
                <currentconditions daylight="True">
                    <url>http://www.accuweather.com/index-forecast.asp?partner=kovix&amp;zipcode=20001</url>
			<observationtime>2:53 PM</observationtime>
			<pressure state="Steady">1019</pressure>
			<temperature>19</temperature>
			<realfeel>20</realfeel>
			<humidity>38%</humidity>
			<weathertext>Partly sunny</weathertext>
			<weathericon>03</weathericon>
			<windgusts>27</windgusts>
			<windspeed>13</windspeed>
			<winddirection>NW</winddirection>
			<visibility>16</visibility>
			<precip>0.0</precip>
			<uvindex index="5">Moderate</uvindex>
			<dewpoint>4</dewpoint>
			<cloudcover>45%</cloudcover>
			<apparenttemp>18</apparenttemp>
			<windchill>19</windchill>
		</currentconditions>

		<moon>
			<phase date="4/14/2021" text="Waxing Crescent"></phase>
			<phase date="4/15/2021" text="Waxing Crescent"></phase>
			<phase date="4/16/2021" text="Waxing Crescent"></phase>
			<phase date="4/17/2021" text="Waxing Crescent"></phase>
			<phase date="4/18/2021" text="Waxing Crescent"></phase>
			<phase date="4/19/2021" text="First"></phase>
			<phase date="4/20/2021" text="Waxing Gibbous"></phase>
		</moon>

			<forecast>
				<url>http://www.accuweather.com/forecast.asp?partner=kovix&amp;zipcode=20001</url>
					
					<day number="1">
						<url>http://www.accuweather.com/forecast-details.asp?partner=kovix&amp;zipcode=20001&amp;fday=1</url>
					<obsdate>4/14/2021</obsdate>
					<daycode>Wednesday</daycode>
					
						<sunrise>6:36 AM</sunrise>
						<sunset>7:42 PM</sunset>
					
					<daytime>
						<txtshort>Partly sunny and pleasant</txtshort>
						<txtlong>Times of clouds and sun; pleasant this afternoon</txtlong>
						<weathericon>03</weathericon>
						<hightemperature>20</hightemperature>
						<lowtemperature>9</lowtemperature>
						<realfeelhigh>21</realfeelhigh>
						<realfeellow>8</realfeellow>
						<windspeed>13</windspeed>
						<winddirection>NW</winddirection>
						<windgust>27</windgust>
						<maxuv>6</maxuv>
						<rainamount>0.0</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.0</iceamount>
						<precipamount>0.0</precipamount>
						<tstormprob>5</tstormprob>
					</daytime>
					<nighttime>
						<txtshort>Partly cloudy</txtshort>
						<txtlong>Partly cloudy; a shower in spots late</txtlong>
						<weathericon>35</weathericon>
						<hightemperature>20</hightemperature>
						<lowtemperature>9</lowtemperature>
						<realfeelhigh>19</realfeelhigh>
						<realfeellow>8</realfeellow>
						<windspeed>8</windspeed>
						<winddirection>NNW</winddirection>
						<windgust>18</windgust>
						<maxuv>0</maxuv>
						<rainamount>0.5</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.0</iceamount>
						<precipamount>0.5</precipamount>
						<tstormprob>10</tstormprob>
					</nighttime>

					</day>
				
					
					<day number="2">
						<url>http://www.accuweather.com/forecast-details.asp?partner=kovix&amp;zipcode=20001&amp;fday=2</url>
					<obsdate>4/15/2021</obsdate>
					<daycode>Thursday</daycode>
					
						<sunrise>6:35 AM</sunrise>
						<sunset>7:43 PM</sunset>
					
					<daytime>
						<txtshort>Cloudy with a couple of showers</txtshort>
						<txtlong>Considerable cloudiness with a couple of showers around midday</txtlong>
						<weathericon>12</weathericon>
						<hightemperature>15</hightemperature>
						<lowtemperature>9</lowtemperature>
						<realfeelhigh>13</realfeelhigh>
						<realfeellow>7</realfeellow>
						<windspeed>16</windspeed>
						<winddirection>E</winddirection>
						<windgust>32</windgust>
						<maxuv>2</maxuv>
						<rainamount>4.6</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.0</iceamount>
						<precipamount>4.6</precipamount>
						<tstormprob>20</tstormprob>
					</daytime>
					<nighttime>
						<txtshort>Rain and drizzle</txtshort>
						<txtlong>Rain and drizzle, mainly early; mild</txtlong>
						<weathericon>18</weathericon>
						<hightemperature>15</hightemperature>
						<lowtemperature>9</lowtemperature>
						<realfeelhigh>11</realfeelhigh>
						<realfeellow>6</realfeellow>
						<windspeed>14</windspeed>
						<winddirection>NE</winddirection>
						<windgust>29</windgust>
						<maxuv>0</maxuv>
						<rainamount>7.9</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.0</iceamount>
						<precipamount>7.9</precipamount>
						<tstormprob>5</tstormprob>
					</nighttime>

					</day>
				
					
					<day number="3">
						<url>http://www.accuweather.com/forecast-details.asp?partner=kovix&amp;zipcode=20001&amp;fday=3</url>
					<obsdate>4/16/2021</obsdate>
					<daycode>Friday</daycode>
					
						<sunrise>6:33 AM</sunrise>
						<sunset>7:44 PM</sunset>
					
					<daytime>
						<txtshort>Mostly cloudy</txtshort>
						<txtlong>Mostly cloudy and cool with a shower in the afternoon</txtlong>
						<weathericon>06</weathericon>
						<hightemperature>17</hightemperature>
						<lowtemperature>8</lowtemperature>
						<realfeelhigh>16</realfeelhigh>
						<realfeellow>6</realfeellow>
						<windspeed>18</windspeed>
						<winddirection>N</winddirection>
						<windgust>37</windgust>
						<maxuv>4</maxuv>
						<rainamount>1.0</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.0</iceamount>
						<precipamount>1.0</precipamount>
						<tstormprob>10</tstormprob>
					</daytime>
					<nighttime>
						<txtshort>Clearing</txtshort>
						<txtlong>Clearing; breezy early, then calm</txtlong>
						<weathericon>34</weathericon>
						<hightemperature>17</hightemperature>
						<lowtemperature>8</lowtemperature>
						<realfeelhigh>14</realfeelhigh>
						<realfeellow>4</realfeellow>
						<windspeed>13</windspeed>
						<winddirection>NW</winddirection>
						<windgust>26</windgust>
						<maxuv>0</maxuv>
						<rainamount>0.0</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.0</iceamount>
						<precipamount>0.0</precipamount>
						<tstormprob>0</tstormprob>
					</nighttime>

					</day>
				
					
					<day number="4">
						<url>http://www.accuweather.com/forecast-details.asp?partner=kovix&amp;zipcode=20001&amp;fday=4</url>
					<obsdate>4/17/2021</obsdate>
					<daycode>Saturday</daycode>
					
						<sunrise>6:32 AM</sunrise>
						<sunset>7:45 PM</sunset>
					
					<daytime>
						<txtshort>Sunny and nice</txtshort>
						<txtlong>Plenty of sunshine and nice; a light breeze</txtlong>
						<weathericon>01</weathericon>
						<hightemperature>21</hightemperature>
						<lowtemperature>8</lowtemperature>
						<realfeelhigh>22</realfeelhigh>
						<realfeellow>7</realfeellow>
						<windspeed>11</windspeed>
						<winddirection>W</winddirection>
						<windgust>23</windgust>
						<maxuv>8</maxuv>
						<rainamount>0.0</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.0</iceamount>
						<precipamount>0.0</precipamount>
						<tstormprob>0</tstormprob>
					</daytime>
					<nighttime>
						<txtshort>Clear</txtshort>
						<txtlong>Clear and chilly</txtlong>
						<weathericon>33</weathericon>
						<hightemperature>21</hightemperature>
						<lowtemperature>8</lowtemperature>
						<realfeelhigh>18</realfeelhigh>
						<realfeellow>5</realfeellow>
						<windspeed>6</windspeed>
						<winddirection>WSW</winddirection>
						<windgust>14</windgust>
						<maxuv>0</maxuv>
						<rainamount>0.0</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.0</iceamount>
						<precipamount>0.0</precipamount>
						<tstormprob>0</tstormprob>
					</nighttime>

					</day>
				
					
					<day number="5">
						<url>http://www.accuweather.com/forecast-details.asp?partner=kovix&amp;zipcode=20001&amp;fday=5</url>
					<obsdate>4/18/2021</obsdate>
					<daycode>Sunday</daycode>
					
						<sunrise>6:30 AM</sunrise>
						<sunset>7:46 PM</sunset>
					
					<daytime>
						<txtshort>Warmer with sunshine</txtshort>
						<txtlong>Sunshine and warmer; a thunderstorm in spots late</txtlong>
						<weathericon>02</weathericon>
						<hightemperature>24</hightemperature>
						<lowtemperature>13</lowtemperature>
						<realfeelhigh>26</realfeelhigh>
						<realfeellow>11</realfeellow>
						<windspeed>14</windspeed>
						<winddirection>S</winddirection>
						<windgust>34</windgust>
						<maxuv>8</maxuv>
						<rainamount>1.3</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.0</iceamount>
						<precipamount>1.3</precipamount>
						<tstormprob>40</tstormprob>
					</daytime>
					<nighttime>
						<txtshort>A t-storm around</txtshort>
						<txtlong>Considerable cloudiness with a thunderstorm around</txtlong>
						<weathericon>41</weathericon>
						<hightemperature>24</hightemperature>
						<lowtemperature>13</lowtemperature>
						<realfeelhigh>21</realfeelhigh>
						<realfeellow>11</realfeellow>
						<windspeed>11</windspeed>
						<winddirection>SSW</winddirection>
						<windgust>31</windgust>
						<maxuv>0</maxuv>
						<rainamount>2.8</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.0</iceamount>
						<precipamount>2.8</precipamount>
						<tstormprob>45</tstormprob>
					</nighttime>

					</day>
				
					
					<day number="6">
						<url>http://www.accuweather.com/forecast-details.asp?partner=kovix&amp;zipcode=20001&amp;fday=6</url>
					<obsdate>4/19/2021</obsdate>
					<daycode>Monday</daycode>
					
						<sunrise>6:29 AM</sunrise>
						<sunset>7:47 PM</sunset>
					
					<daytime>
						<txtshort>Humid with some sun</txtshort>
						<txtlong>Humid with a mix of clouds and sunshine</txtlong>
						<weathericon>04</weathericon>
						<hightemperature>26</hightemperature>
						<lowtemperature>16</lowtemperature>
						<realfeelhigh>28</realfeelhigh>
						<realfeellow>14</realfeellow>
						<windspeed>16</windspeed>
						<winddirection>SW</winddirection>
						<windgust>35</windgust>
						<maxuv>7</maxuv>
						<rainamount>0.0</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.0</iceamount>
						<precipamount>0.0</precipamount>
						<tstormprob>25</tstormprob>
					</daytime>
					<nighttime>
						<txtshort>Mostly cloudy</txtshort>
						<txtlong>Mostly cloudy and humid</txtlong>
						<weathericon>38</weathericon>
						<hightemperature>26</hightemperature>
						<lowtemperature>16</lowtemperature>
						<realfeelhigh>22</realfeelhigh>
						<realfeellow>14</realfeellow>
						<windspeed>10</windspeed>
						<winddirection>SW</winddirection>
						<windgust>24</windgust>
						<maxuv>0</maxuv>
						<rainamount>0.0</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.0</iceamount>
						<precipamount>0.0</precipamount>
						<tstormprob>20</tstormprob>
					</nighttime>

					</day>
				
					
					<day number="7">
						<url>http://www.accuweather.com/forecast-details.asp?partner=kovix&amp;zipcode=20001&amp;fday=7</url>
					<obsdate>4/20/2021</obsdate>
					<daycode>Tuesday</daycode>
					
						<sunrise>6:27 AM</sunrise>
						<sunset>7:48 PM</sunset>
					
					<daytime>
						<txtshort>Showers around</txtshort>
						<txtlong>Clouds and sun with a shower in places</txtlong>
						<weathericon>14</weathericon>
						<hightemperature>23</hightemperature>
						<lowtemperature>11</lowtemperature>
						<realfeelhigh>23</realfeelhigh>
						<realfeellow>9</realfeellow>
						<windspeed>19</windspeed>
						<winddirection>NW</winddirection>
						<windgust>40</windgust>
						<maxuv>6</maxuv>
						<rainamount>2.0</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.0</iceamount>
						<precipamount>2.0</precipamount>
						<tstormprob>30</tstormprob>
					</daytime>
					<nighttime>
						<txtshort>Partly cloudy</txtshort>
						<txtlong>Partly cloudy and cooler</txtlong>
						<weathericon>35</weathericon>
						<hightemperature>23</hightemperature>
						<lowtemperature>11</lowtemperature>
						<realfeelhigh>18</realfeelhigh>
						<realfeellow>8</realfeellow>
						<windspeed>11</windspeed>
						<winddirection>NW</winddirection>
						<windgust>23</windgust>
						<maxuv>0</maxuv>
						<rainamount>0.0</rainamount>
						<snowamount>0.0</snowamount>
						<iceamount>0.0</iceamount>
						<precipamount>0.0</precipamount>
						<tstormprob>5</tstormprob>
					</nighttime>

					</day>
				
			</forecast>
			
		<copyright>Copyright 2021 AccuWeather.com</copyright>
		<use>This document is intended only for use by authorized licensees of AccuWeather.com. Unauthorized use is prohibited. All Rights Reserved.</use>
		<product>kovix</product>
		<redistribution>Redistribution Prohibited.</redistribution>
	</adc_database>
